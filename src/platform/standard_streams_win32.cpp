#include "platform/standard_streams.h"

// windows.h (through win32_text.h) before shellapi.h, which needs it.
#include "platform/win32_text.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

namespace kveld {

std::vector<std::string> programArguments(int argc, char** argv) {
  // The wide command line holds every character of the arguments; argv has
  // them only as far as the ANSI code page does.
  std::vector<std::string> args;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
  }
  for (int i = 1; i < count; ++i) args.push_back(wideToUtf8(wide[i]));
  LocalFree(wide);
  return args;
}

void useBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

const char* nativeLineEnd() { return "\r\n"; }

}  // namespace kveld
