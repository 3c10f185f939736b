// Finding a file by wildcard, and the listing of a drive's deal-archive
// folders, on Windows: the command interpreter's own recursive listing.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/cp437.h"
#include "platform/error_numbers.h"
#include "platform/real_system.h"
#include "platform/win32_text.h"

namespace kveld {
namespace {

std::wstring wide(const std::string& text) {
  const std::u16string u = cp437ToUtf16(text);
  return std::wstring(u.begin(), u.end());
}

std::string narrow(const wchar_t* text) {
  const std::wstring w(text);
  return utf16ToCp437(std::u16string(w.begin(), w.end()));
}

std::wstring environmentValue(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

}  // namespace

std::string RealSystem::findFirstFile(const std::string& folder, const std::string& pattern) {
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(widePath(folder + "\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return {};
    throw RunTimeError(errorNumberFromWin32(code), "cannot search " + folder);
  }
  std::string found;
  do {
    if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM)) == 0) {
      found = narrow(data.cFileName);
      break;
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

// The command interpreter lists the drive into the scratch file; its error
// output (such as "File Not Found") goes to the null device, so nothing
// reaches the console. Only the file named last for standard output
// receives it, so the scratch file is the only one named.
void RealSystem::listArchiveFolders(const std::string& driveSpec, const std::string& scratchFile) {
  const std::wstring commandLine = environmentValue(L"comspec") + L" /c dir/b/s/o-d " + wide(driveSpec) +
                                   L"\\DEALAR~1>" + wide(scratchFile) + L" 2>nul";
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &process)) {
    throw RunTimeError(errorNumberFromWin32(GetLastError()), "cannot start the drive listing");
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace kveld
