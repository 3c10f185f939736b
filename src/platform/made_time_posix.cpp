#include "platform/made_time.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace kveld {

std::int64_t madeTime(int folderFd, const std::string& name) {
  constexpr std::int64_t kNanosecondsPerSecond = 1000000000;
  struct statx st {};
  if (::statx(folderFd, name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &st) != 0) return 0;
  const statx_timestamp& t = (st.stx_mask & STATX_BTIME) != 0 ? st.stx_btime : st.stx_mtime;
  return static_cast<std::int64_t>(t.tv_sec) * kNanosecondsPerSecond + static_cast<std::int64_t>(t.tv_nsec);
}

}  // namespace kveld
