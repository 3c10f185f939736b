#include "platform/program_folder.h"

#include <windows.h>

#include <vector>

#include "platform/error_numbers.h"
#include "platform/run_time_error.h"

namespace kveld {

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
  std::wstring path(buffer.data(), n);
  path = path.substr(0, path.find_last_of(L'\\'));
  const int size = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), utf8.data(), size, nullptr,
                      nullptr);
  return utf8;
}

}  // namespace kveld
