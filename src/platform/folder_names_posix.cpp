#include "platform/folder_names_posix.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>

#include "encoding/native_name.h"
#include "encoding/short_name.h"

namespace kveld {
namespace {

// When the entry `name` was made, in nanoseconds: its birth time, or where
// the file system keeps none its last modification; 0 when it cannot be
// looked at. A link is not followed.
std::int64_t madeTime(int folderFd, const std::string& name) {
  constexpr std::int64_t kNanosecondsPerSecond = 1000000000;
  struct statx st {};
  if (::statx(folderFd, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &st) != 0) return 0;
  const statx_timestamp& t = (st.stx_mask & STATX_BTIME) != 0 ? st.stx_btime : st.stx_mtime;
  return static_cast<std::int64_t>(t.tv_sec) * kNanosecondsPerSecond + static_cast<std::int64_t>(t.tv_nsec);
}

}  // namespace

std::string joined(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::vector<std::string> shortNamesIn(int folderFd, const std::vector<std::string>& names) {
  std::vector<std::string> programNames;
  std::vector<std::int64_t> madeAt;
  programNames.reserve(names.size());
  madeAt.reserve(names.size());
  for (const std::string& name : names) {
    programNames.push_back(programName(name, '_'));
    madeAt.push_back(madeTime(folderFd, name));
  }
  return shortNames(programNames, madeAt);
}

}  // namespace kveld
