// Finding a file by wildcard, and the listing of a drive's entries of one
// short name, on Windows: the command interpreter's own recursive listing.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/command_win32.h"
#include "platform/real_system.h"
#include "platform/win32_text.h"

namespace kveld {

namespace {

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};

}  // namespace

std::string RealSystem::findFirstFile(const std::string& folder, const std::string& pattern) {
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(widePath(folder + "\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return {};
    throw RunTimeError(errorNumberFromWin32(code), "cannot search " + folder);
  }
  const std::unique_ptr<void, FindCloser> guard(find);
  std::string found;
  do {
    if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM)) == 0) {
      found = narrowText(data.cFileName);
      break;
    }
  } while (FindNextFileW(find, &data));
  return found;
}

// The command interpreter lists the drive into the scratch file; its error
// output (such as "File Not Found") goes to the null device, so nothing
// reaches the console. Only the file named last for standard output
// receives it, so the scratch file is the only one named.
void RealSystem::listDrive(const std::string& driveSpec, const std::string& shortName,
                           const std::string& scratchFile) {
  runCommandAndWait(commandInterpreter() + L" /c dir/b/s/o-d " + wideText(driveSpec) + L"\\" +
                        wideText(shortName) + L">" + wideText(scratchFile) + L" 2>nul",
                    "the drive listing");
}

}  // namespace kveld
