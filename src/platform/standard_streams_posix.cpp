#include "platform/standard_streams.h"

namespace kveld {

std::vector<std::string> programArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

void useBinaryStandardStreams() {}

const char* nativeLineEnd() { return "\n"; }

}  // namespace kveld
