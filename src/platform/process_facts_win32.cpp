#include "platform/process_facts.h"

#include <windows.h>

#include <vector>

#include "platform/error_numbers.h"
#include "platform/run_time_error.h"
#include "platform/win32_text.h"

namespace kveld {

unsigned long processNumber() { return GetCurrentProcessId(); }

bool processRuns(unsigned long number) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(number));
  if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;  // (refused: it runs)
  const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return runs;
}

// Only a console handle has a console mode; files and pipes do not.
bool standardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

std::string programFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD n = 0;
  for (;;) {
    n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0)
      throw RunTimeError(errorNumberFromWin32(GetLastError()), "cannot tell the program's own folder");
    if (n < buffer.size()) break;
    buffer.resize(buffer.size() * 2);  // the path was cut short
  }
  const std::wstring path(buffer.data(), n);
  return wideToUtf8(path.substr(0, path.find_last_of(L'\\')));
}

}  // namespace kveld
