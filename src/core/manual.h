#pragma once
// The address of the program's manual: a file address into the documentation
// folder installed with the program, so that the manual opens offline.
#include <functional>
#include <string>
#include <vector>

namespace kveld {
struct Program;

// The manual's place inside a documentation folder.
inline constexpr const char* kManualPath = "/Bridge/Software/Manuals/KVELD-Manual.htm";

// The documentation folders where the manual of a program in `programFolder`
// may be, most likely first: <prefix>/share/doc/kveld beside <prefix>/bin
// (installed on POSIX), then <folder>/doc (installed on Windows, and the copy
// that the build puts beside the program in the build folder).
std::vector<std::string> documentationFolders(const std::string& programFolder);

// A folder as a file address: backslashes become slashes, and every byte
// other than letters, digits, "-._~/:" is written as %XX
// ("C:\Program Files\Kveld" gives "file:///C:/Program%20Files/Kveld").
std::string fileAddress(const std::string& folder);

// The manual's address for a program in `programFolder`: the file address of
// the first documentation folder in which `exists` finds the manual, followed
// by kManualPath; when none holds it, the address of the first folder.
std::string manualAddress(const std::string& programFolder,
                          const std::function<bool(const std::string& path)>& exists);

// Whether a file of this UTF-8 path exists.
bool fileExists(const std::string& path);

// The address of the program's manual: a file address into the documentation
// folder installed with the program (or copied beside it in the build folder).
std::string onlineManualAddress();

// Opens the manual in the user's web browser and returns when the command
// that hands it over has ended, the console lent to that command meanwhile.
// False when nothing here can open it.
bool openOnlineManual(Program& program);

}  // namespace kveld
