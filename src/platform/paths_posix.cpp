// Program paths to native paths. Drive X: is the folder that
// $WINEPREFIX/dosdevices/x: points to (the way Wine maps drive letters, so a
// DeepFinesse installed under Wine is found where it is); WINEPREFIX defaults
// to ~/.wine. Without such a link C: is / and every other letter is a drive
// that does not exist.
//
// Each component is looked up as Windows looks it up: the exact name, else
// the first name in name order that matches it without regard to case, else
// the long name whose 8.3 alias it is (aliases numbered in the order the
// names were made, as Windows numbers them). Trailing blanks and dots of a
// component are dropped, "." and ".." are taken as Windows takes them. A
// component that is not there (a file about to be made, or a path that will
// fail) is kept as given, and so is the rest of the path after it: the
// operation on the path reports the failure then.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "encoding/ascii.h"
#include "encoding/native_name.h"
#include "encoding/short_name.h"
#include "platform/folder_names_posix.h"
#include "platform/paths.h"
#include "platform/run_time_error.h"

namespace kveld {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// Characters Windows refuses in a file or folder name.
bool forbiddenInName(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 32 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
}

std::string winePrefix() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') return prefix;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return std::string(home) + "/.wine";
  return {};
}

// The native folder of a drive letter, or nothing when there is no such drive.
// A link that leads nowhere counts as a missing drive.
std::optional<std::string> driveFolder(char letter) {
  const char lower = static_cast<char>(letter >= 'A' && letter <= 'Z' ? letter + 32 : letter);
  const std::string prefix = winePrefix();
  if (!prefix.empty()) {
    const std::string link = prefix + "/dosdevices/" + lower + ":";
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0) {
      if (stat(link.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return link;
      return std::nullopt;
    }
  }
  if (lower == 'c') return std::string("/");
  return std::nullopt;
}

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), nameOrderLess);
  return names;
}

// The native name in `folder` that the program's component names, if any.
std::optional<std::string> lookUp(const std::string& folder, const std::string& component) {
  const std::string wanted = nativeName(component);
  struct stat st {};
  if (lstat(joined(folder.empty() ? "." : folder, wanted).c_str(), &st) == 0) return wanted;
  const std::vector<std::string> names = namesIn(folder);
  for (const std::string& name : names)
    if (sameNameIgnoringCase(name, wanted)) return name;
  if (component.find('~') == std::string::npos || !isShortName(component)) return std::nullopt;
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  const std::vector<std::string> aliases = shortNamesIn(fd, names);
  close(fd);
  const std::string alias = upperName(component);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (aliases[i] == alias) return names[i];
  return std::nullopt;
}

}  // namespace

std::string nativePath(const std::string& programPath) {
  std::string_view rest = programPath;
  std::string root;  // empty: the current folder
  const bool hasDrive = rest.size() >= 2 && rest[1] == ':' &&
                        ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'));
  if (hasDrive || (!rest.empty() && isSeparator(rest[0]))) {
    // A drive without a folder after it means its root (no drive keeps a
    // current folder here); a rooted path without a drive is on drive C:.
    const char letter = hasDrive ? rest[0] : 'C';
    if (hasDrive) rest.remove_prefix(2);
    const std::optional<std::string> folder = driveFolder(letter);
    if (!folder) {
      throw RunTimeError(err::kPathNotFound, std::string("drive ") + upperAscii(letter) + ": does not exist");
    }
    root = *folder;
  }

  std::vector<std::string> components;
  while (!rest.empty()) {
    const std::size_t end =
        static_cast<std::size_t>(std::find_if(rest.begin(), rest.end(), isSeparator) - rest.begin());
    std::string component(rest.substr(0, end));
    rest.remove_prefix(end < rest.size() ? end + 1 : end);
    if (std::any_of(component.begin(), component.end(), forbiddenInName))
      throw RunTimeError(err::kPathFileAccess, "invalid name: " + programPath);
    if (component == "..") {
      if (!components.empty() && components.back() != "..") {
        components.pop_back();
      } else if (root.empty()) {
        components.push_back("..");
      }
      continue;
    }
    while (!component.empty() && (component.back() == ' ' || component.back() == '.')) component.pop_back();
    if (!component.empty()) components.push_back(component);
  }

  std::string native = root;
  bool found = true;
  for (const std::string& component : components) {
    if (component == "..") {
      native = joined(native, "..");
      continue;
    }
    std::optional<std::string> name;
    if (found) name = lookUp(native, component);
    found = name.has_value();
    native = joined(native, found ? *name : nativeName(component));
  }
  return native;
}

}  // namespace kveld
