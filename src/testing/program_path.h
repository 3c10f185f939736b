#pragma once
// Tests hand the program its own drive-qualified paths for real folders.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kveld {

// The program path of a real folder or file: the Windows path itself on
// Windows; on POSIX "C:" and the path with backslashes, which names it while
// drive C: is the root folder (see NoWineDrives).
inline std::string programPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.string();
#else
  std::string p = "C:" + path.string();
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
#endif
}

// While it lives, no Wine drive mapping is found on POSIX, so that drive C:
// is the root folder whatever Wine prefix the machine has.
class NoWineDrives {
 public:
  NoWineDrives() {
#ifndef _WIN32
    const char* old = std::getenv("WINEPREFIX");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("WINEPREFIX", "/nonexistent/kveld-test-prefix", 1);
#endif
  }
  ~NoWineDrives() {
#ifndef _WIN32
    if (had_)
      setenv("WINEPREFIX", old_.c_str(), 1);
    else
      unsetenv("WINEPREFIX");
#endif
  }
  NoWineDrives(const NoWineDrives&) = delete;
  NoWineDrives& operator=(const NoWineDrives&) = delete;

 private:
  bool had_ = false;
  std::string old_;
};

}  // namespace kveld
