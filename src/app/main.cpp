// Kveld Archive: regenerates a duplicate-bridge set from the control string
// of its hand record and writes it into DeepFinesse's deal archive.
#include <cstdio>
#include <exception>
#include <string>

#include "app/main_flow.h"
#include "platform/console_device.h"
#include "platform/system.h"

int main() {
  std::unique_ptr<kveld::ConsoleDevice> console;
  try {
    console = kveld::makeRealConsole();
    auto system = kveld::makeRealSystem();
    const int code = kveld::runProgram(*console, *system);
    console->close();
    if (const std::string notice = system->laterNotice(); !notice.empty())
      std::fprintf(stderr, "kveld: %s\n", notice.c_str());
    return code;
  } catch (const std::exception& e) {
    if (console) console->close();
    std::fprintf(stderr, "kveld: %s\n", e.what());
    return 1;
  }
}
