// Finding a file by wildcard, and the listing of a drive's entries of one
// short name, on POSIX. The listing is a walk of the drive in this process
// that writes the lines a bare, recursive, newest-first directory listing
// writes on Windows: the drive-qualified path of every entry whose name or
// 8.3 alias is the name asked for, with backslashes, in long-name form, in
// code page 437, CR LF.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "encoding/ascii.h"
#include "encoding/native_name.h"
#include "platform/error_numbers.h"
#include "platform/folder_names_posix.h"
#include "platform/paths.h"
#include "platform/real_system.h"
#include "platform/unfinished_file_posix.h"

namespace kveld {
namespace {

// A name that the program's text cannot carry: a control character would end
// or break a line of the listing or of the settings file, and a backslash
// would read as a folder separator, so the text would name another entry
// than the one found. Windows holds no such names. Nor can it carry a name
// that code page 437 cannot write (an o with a stroke, Cyrillic, bytes that are not
// UTF-8), or whose code page 437 text would be read back as another name:
// such a path would fail once setup had written it.
bool misreadInProgramText(std::string_view name) {
  bool beyondAscii = false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32 || c == '\\') return true;
    beyondAscii |= static_cast<unsigned char>(c) >= 0x80;
  }
  return beyondAscii && nativeName(programName(name, '?')) != name;
}

// The walk of one drive for entries whose short name is `target`.
class ShortNameWalk {
 public:
  ShortNameWalk(std::string target, bool skipSystemFolders)
      : target_(std::move(target)),
        stem_(target_.substr(0, target_.find('~'))),
        skipSystemFolders_(skipSystemFolders) {}

  void walkDrive(const std::string& root, const std::string& driveSpec) {
    walk(-1, root, root, driveSpec, 0);
  }
  const std::string& lines() const { return lines_; }

 private:
  // Folders held open at once while going down; deeper ones are opened by
  // their whole path, so that no depth runs out of descriptors.
  static constexpr int kHeldFolders = 128;

  struct Entry {
    std::string name;
    long long seconds = 0;
    long nanoseconds = 0;
  };

  // Whether the name can have `stem_` at the start of its alias: a cheap
  // test that spares all but a few names the alias reckoning.
  bool mayMatch(std::string_view name) const {
    std::size_t k = 0;
    for (char c : name) {
      if (c == ' ' || c == '.') continue;
      if (upperAscii(c) != stem_[k]) return false;
      if (++k == stem_.size()) return true;
    }
    return false;
  }

  void walk(int parentFd, const std::string& name, const std::string& nativeDir,
            const std::string& programDir, int depth) {
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    int fd = -1;
    if (depth == 0) {
      fd = open(nativeDir.c_str(), flags);  // the drive's own link is followed
    } else if (parentFd >= 0) {
      fd = openat(parentFd, name.c_str(), flags | O_NOFOLLOW);
    } else {
      fd = open(nativeDir.c_str(), flags | O_NOFOLLOW);
    }
    if (fd < 0) return;  // a folder that cannot be read is passed over
    const int readFd = dup(fd);
    DIR* dir = readFd >= 0 ? fdopendir(readFd) : nullptr;
    if (dir == nullptr) {
      if (readFd >= 0) close(readFd);
      close(fd);
      return;
    }
    std::vector<std::string> folders;
    std::vector<std::string> candidates;
    while (const dirent* entry = readdir(dir)) {
      const std::string_view entryName = entry->d_name;
      if (entryName == "." || entryName == ".." || misreadInProgramText(entryName)) continue;
      unsigned char type = entry->d_type;
      if (mayMatch(entryName)) candidates.emplace_back(entryName);
      if (type == DT_UNKNOWN) {
        struct stat st {};
        if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) type = DT_DIR;
      }
      if (type == DT_DIR) folders.emplace_back(entryName);
    }
    closedir(dir);

    if (!candidates.empty()) listMatches(fd, candidates, programDir);

    if (depth >= kHeldFolders) {
      close(fd);
      fd = -1;
    }
    std::sort(folders.begin(), folders.end(), nameOrderLess);
    for (const std::string& folder : folders) {
      if (depth == 0 && skipSystemFolders_ && (folder == "proc" || folder == "sys" || folder == "dev"))
        continue;
      walk(fd, folder, joined(nativeDir, folder), programDir + "\\" + programName(folder, '?'), depth + 1);
    }
    if (fd >= 0) close(fd);
  }

  void listMatches(int fd, const std::vector<std::string>& candidates, const std::string& programDir) {
    const std::vector<std::string> aliases = shortNamesIn(fd, candidates);
    std::vector<Entry> matches;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      if (aliases[i] != target_) continue;
      Entry e;
      e.name = candidates[i];
      struct stat st {};
      if (fstatat(fd, e.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        e.seconds = static_cast<long long>(st.st_mtim.tv_sec);
        e.nanoseconds = static_cast<long>(st.st_mtim.tv_nsec);
      }
      matches.push_back(std::move(e));
    }
    std::sort(matches.begin(), matches.end(), [](const Entry& a, const Entry& b) {
      if (a.seconds != b.seconds) return a.seconds > b.seconds;
      if (a.nanoseconds != b.nanoseconds) return a.nanoseconds > b.nanoseconds;
      return nameOrderLess(a.name, b.name);
    });
    for (const Entry& e : matches) lines_ += programDir + "\\" + programName(e.name, '?') + "\r\n";
  }

  std::string target_;
  std::string stem_;
  bool skipSystemFolders_;
  std::string lines_;
};

// Whether the folder is the root of the whole file system, whose walk passes
// over the kernel's own folders (/proc, /sys, /dev): they hold no
// installations, and their walk is long.
bool isFileSystemRoot(const std::string& folder) {
  char resolved[PATH_MAX];
  return realpath(folder.c_str(), resolved) != nullptr && std::string_view(resolved) == "/";
}

}  // namespace

std::string RealSystem::findFirstFile(const std::string& folder, const std::string& pattern) {
  const std::string native = nativePath(folder);
  DIR* dir = opendir(native.empty() ? "." : native.c_str());
  if (dir == nullptr) throw RunTimeError(errorNumberFromErrno(errno, false), "cannot read folder " + folder);
  const std::string nativePattern = nativeName(pattern);
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != ".." && !misreadInProgramText(name) && matchesWildcard(nativePattern, name))
      names.emplace_back(name);
  }
  closedir(dir);
  // A folder reports its names in no fixed order here: the first in name
  // order is taken. Every regular file counts (nothing is a system file).
  std::sort(names.begin(), names.end(), nameOrderLess);
  for (const std::string& name : names) {
    struct stat st {};
    if (stat(joined(native, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) return programName(name, '?');
  }
  return {};
}

void RealSystem::listDrive(const std::string& driveSpec, const std::string& shortName,
                           const std::string& scratchFile) {
  std::string root;
  try {
    root = nativePath(driveSpec + "\\");
  } catch (const RunTimeError& e) {
    // A drive that does not exist has nothing on it: the listing is empty.
    if (e.number() != err::kPathNotFound) throw;
  }
  ShortNameWalk walk(upperAscii(shortName), !root.empty() && isFileSystemRoot(root));
  if (!root.empty()) walk.walkDrive(root, driveSpec);
  holdUnfinishedFile(nativePath(scratchFile));
  createAfresh(scratchFile, walk.lines());
}

}  // namespace kveld
