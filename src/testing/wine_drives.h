#pragma once
// For POSIX tests: a temporary Wine prefix whose drive letters point to
// temporary folders. WINEPREFIX is set for the test's lifetime and put back
// afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "testing/temp_folder.h"

namespace kveld {

class WineDrives {
 public:
  WineDrives()
      : base_(std::filesystem::temp_directory_path() / ("kveld-drives-" + std::to_string(counter()++) + "-" +
                                                        std::to_string(std::random_device{}()))) {
    if (const char* old = std::getenv("WINEPREFIX")) old_ = old;
    std::filesystem::create_directories(base_ / "prefix" / "dosdevices");
    setenv("WINEPREFIX", (base_ / "prefix").c_str(), 1);
  }
  ~WineDrives() {
    if (old_) {
      setenv("WINEPREFIX", old_->c_str(), 1);
    } else {
      unsetenv("WINEPREFIX");
    }
    std::error_code ec;
    std::filesystem::permissions(base_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(base_, ec);
  }
  WineDrives(const WineDrives&) = delete;
  WineDrives& operator=(const WineDrives&) = delete;

  // Makes drive `letter` (lower case) a new empty folder; returns the folder.
  std::filesystem::path addDrive(char letter) {
    const std::filesystem::path folder = base_ / (std::string("drive_") + letter);
    std::filesystem::create_directories(folder);
    std::filesystem::create_directory_symlink(folder, link(letter));
    return folder;
  }
  std::filesystem::path link(char letter) const {
    return base_ / "prefix" / "dosdevices" / (std::string(1, letter) + ":");
  }
  const std::filesystem::path& base() const { return base_; }

  // Makes a folder (and its parents) under `root`; returns it.
  static std::filesystem::path folder(const std::filesystem::path& root, const std::string& relative) {
    std::filesystem::create_directories(root / relative);
    return root / relative;
  }
  // Makes an empty file (and its folder) under `root`.
  static void file(const std::filesystem::path& root, const std::string& relative) {
    std::filesystem::create_directories((root / relative).parent_path());
    std::ofstream(root / relative).put('x');
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path base_;
  std::optional<std::string> old_;
};

}  // namespace kveld
