#pragma once
// For tests of the search: the operating system's own search and listing,
// with files read, written and deleted by the standard library through the
// same path mapping, so that these tests stand on their own.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/paths.h"
#include "platform/real_system.h"

namespace kveld {

class StreamFilesSystem : public RealSystem {
 public:
  std::string readFile(const std::string& path) override {
    std::ifstream in(nativePath(path), std::ios::binary);
    if (!in) throw RunTimeError(err::kFileNotFound, "cannot open " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void writeFile(const std::string& path, const std::string& bytes) override {
    std::ofstream out(nativePath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) throw RunTimeError(err::kPermissionDenied, "cannot write " + path);
  }
  void deleteFile(const std::string& path) override {
    if (std::remove(nativePath(path).c_str()) != 0) throw RunTimeError(err::kFileNotFound, "cannot delete " + path);
  }
};

}  // namespace kveld
