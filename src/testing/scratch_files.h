#pragma once
// Setup's scratch files ("df_find" and the program's process number) left
// in a folder.
#include <filesystem>
#include <string>
#include <vector>

namespace kveld {

inline std::vector<std::string> scratchFilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("df_find", 0) == 0) names.push_back(name);
  }
  return names;
}

}  // namespace kveld
