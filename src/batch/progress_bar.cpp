#include "batch/progress_bar.h"

#include <algorithm>
#include <cstdio>

namespace kveld::batch {

std::string progressLine(int done, int all, double elapsedSeconds, int width) {
  done = std::clamp(done, 0, std::max(all, 0));
  const int filled = all > 0 ? static_cast<int>(static_cast<long long>(done) * width / all) : 0;
  std::string line = "\r[";
  line.append(static_cast<std::size_t>(filled), '#');
  line.append(static_cast<std::size_t>(width - filled), '.');
  const long total = std::max(0L, static_cast<long>(elapsedSeconds));
  char tail[64];
  if (total >= 3600) {
    std::snprintf(tail, sizeof tail, "] %3d/%d boards  %ld:%02ld:%02ld", done, all, total / 3600,
                  total / 60 % 60, total % 60);
  } else {
    std::snprintf(tail, sizeof tail, "] %3d/%d boards  %ld:%02ld", done, all, total / 60, total % 60);
  }
  return line + tail;
}

}  // namespace kveld::batch
