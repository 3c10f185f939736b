#pragma once
// The bytes of a file as a test reads them back; empty when it cannot be read.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kveld {

inline std::string contentOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kveld
