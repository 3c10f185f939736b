// kveld-batch: deals the sets of hand records from their control strings and
// writes them as files, from the command line, without a console screen.
#include <cstdio>
#include <exception>
#include <iostream>

#include "batch/batch_run.h"
#include "platform/native_files.h"
#include "platform/process_facts.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
  try {
    kveld::useBinaryStandardStreams();
    kveld::batch::BatchIo io{
        std::cin, std::cout, std::cerr, kveld::replaceNativeFile, kveld::readNativeFile, kveld::nativeLineEnd(),
        KVELD_VERSION};
    io.errIsTerminal = kveld::standardErrorIsTerminal();
    return kveld::batch::runBatch(kveld::programArguments(argc, argv), io);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kveld-batch: %s\n", e.what());
    return 3;
  }
}
