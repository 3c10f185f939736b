#include "platform/standard_error.h"

#include <windows.h>

namespace kveld {

// Only a console handle has a console mode; files and pipes do not.
bool standardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace kveld
