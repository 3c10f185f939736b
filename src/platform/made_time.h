#pragma once
// When a folder entry was made, for numbering 8.3 aliases as Windows does.
#include <cstdint>
#include <string>

namespace kveld {

// The birth time of the entry `name` in the folder open as `folderFd` (or
// the current folder for AT_FDCWD's value), in nanoseconds; where the file
// system keeps no birth time, its last modification. A link is not followed.
// 0 when the entry cannot be looked at.
std::int64_t madeTime(int folderFd, const std::string& name);

}  // namespace kveld
