#pragma once
// The operating system's own files, folders and processes. The methods are
// defined per platform and per concern: files_<platform>.cpp (reading,
// writing, replacing, deleting), search_<platform>.cpp (finding a file, the
// drive listing), process_<platform>.cpp (starting programs).
#include "platform/system.h"

namespace kveld {

class RealSystem : public System {
 public:
  RealSystem();
  std::string readFile(const std::string& path) override;
  std::optional<std::string> readFileStart(const std::string& path, std::size_t most,
                                           const std::function<bool(std::string_view)>& enough) override;
  void writeFile(const std::string& path, const std::string& bytes) override;
  void replaceFile(const std::string& path, const std::string& bytes) override;
  void deleteFile(const std::string& path) override;
  void removeLeftovers(const std::string& stem) override;
  std::string findFirstFile(const std::string& folder, const std::string& pattern) override;
  void listDrive(const std::string& driveSpec, const std::string& shortName,
                 const std::string& scratchFile) override;
  bool openAddress(const std::string& address) override;
  void startProgram(const std::string& driveSpec, const std::string& folder,
                    const std::string& executable) override;
  // POSIX only: on Windows the command interpreter tells of a program it
  // cannot start, in its own window.
  std::string laterNotice() override { return notice_; }

 private:
  std::string notice_;  // why the last program asked for was not started
  // Creates the file, or empties the one there, and writes the bytes into it
  // (a native path on POSIX, the program's path on Windows).
  static void writeInPlace(const std::string& path, const std::string& bytes);
  // Removes whatever file, link or FIFO has the name and creates a new file
  // of it with the bytes, without following a link (POSIX).
  static void createAfresh(const std::string& path, const std::string& bytes);
};

}  // namespace kveld
