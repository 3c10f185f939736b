#pragma once
// For whole-program tests: a temporary current folder with valid settings
// naming a DeepFinesse folder that holds its program file and its archive
// folder, as setup would have left them.
#include <filesystem>
#include <fstream>
#include <string>

#include "testing/file_content.h"
#include "testing/program_path.h"
#include "testing/temp_folder.h"

namespace kveld {

struct Installation {
  Installation() {
    std::filesystem::create_directories(archiveFolder());
    write(folder.path() / "DF" / "DF.EXE", "MZ");
    settings = "DeepFinesseDirectory=" + dfDirectory() + "\r\nExecutableFile=DF.EXE\r\n";
    write(ini(), settings);
  }
  ~Installation() {
    // Read-only files would outlive the folder's removal on Windows.
    std::error_code ec;
    for (const std::filesystem::path& f : {ini(), archiveFile()})
      std::filesystem::permissions(f, std::filesystem::perms::owner_all, ec);
  }
  static void write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }
  std::string dfDirectory() const { return programPath(folder.path() / "DF"); }
  std::filesystem::path ini() const { return folder.path() / "KVELD.INI"; }
  std::filesystem::path archiveFolder() const { return folder.path() / "DF" / "DEALAR~1"; }
  std::filesystem::path archiveFile(const std::string& name = "Jan-01-M.txt") const {
    return archiveFolder() / name;
  }
  std::string archive(const std::string& name = "Jan-01-M.txt") const { return contentOf(archiveFile(name)); }

  NoWineDrives noWine;
  TempFolder folder;
  std::string settings;
};

}  // namespace kveld
