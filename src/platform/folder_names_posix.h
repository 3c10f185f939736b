#pragma once
// The names of a POSIX folder as the program's Windows paths see them.
#include <string>
#include <vector>

namespace kveld {

// A native folder and a name in it: "a" "b" -> "a/b"; an empty folder is
// the current one.
std::string joined(const std::string& folder, const std::string& name);

// The short name (the 8.3 name itself or its alias) of each of `names`, the
// UTF-8 names of entries in the folder open as `folderFd`, numbered as
// Windows numbers aliases: in the order the entries were made.
std::vector<std::string> shortNamesIn(int folderFd, const std::vector<std::string>& names);

}  // namespace kveld
