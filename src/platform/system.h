#pragma once
// The seam to the operating system for files, folders and processes.
// Paths are the program's own drive-qualified Windows paths
// ("C:\DF\DEALAR~1\Jan-01-M.txt") or bare names in the current folder
// ("KVELD.INI"); each platform turns them into its native paths.
// Every failure raises RunTimeError with its error number; nothing returns
// an error code.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/run_time_error.h"

namespace kveld {

class System {
 public:
  virtual ~System() = default;

  // The whole content of a file; the file is open only during the call.
  virtual std::string readFile(const std::string& path) = 0;
  // The start of a regular file: read until `enough` holds for the bytes
  // read so far, the file ends, or more than `most` bytes have been read
  // (then more than `most` are returned). Nothing when the path names a
  // FIFO, a device or anything else that is neither a regular file nor a
  // folder; such a file is neither waited on nor read. Failures raise as
  // for readFile.
  virtual std::optional<std::string> readFileStart(const std::string& path, std::size_t most,
                                                   const std::function<bool(std::string_view)>& /*enough*/) {
    std::string bytes = readFile(path);
    if (bytes.size() > most) bytes.resize(most + 1);
    return bytes;
  }
  // Creates the file, or empties it, and writes the bytes.
  virtual void writeFile(const std::string& path, const std::string& bytes) = 0;
  // Puts a file with these bytes in place of any earlier one in one step:
  // on failure the earlier file is intact and nothing else is left behind.
  virtual void replaceFile(const std::string& path, const std::string& bytes) = 0;
  virtual void deleteFile(const std::string& path) = 0;
  // Removes from the current folder the files named `stem` followed by the
  // number of a process that no longer runs: those that runs killed outright
  // left behind. Nothing is raised; what cannot be removed stays.
  virtual void removeLeftovers(const std::string& stem) = 0;
  // The name (without folder) of the first file in `folder` matching the
  // wildcard `pattern` without regard to case; ordinary and hidden files
  // count, folders and system files do not. Empty when there is none.
  virtual std::string findFirstFile(const std::string& folder, const std::string& pattern) = 0;

  // Writes into `scratchFile` (in the current folder) one line per entry on
  // the drive `driveSpec` ("C:") whose name or 8.3 alias is `shortName`
  // ("ABCDEF~1"), as a bare recursive newest-first directory listing does.
  // An ending signal that comes before the file is deleted (deleteFile)
  // removes it.
  virtual void listDrive(const std::string& driveSpec, const std::string& shortName,
                         const std::string& scratchFile) = 0;
  // Opens an address in the user's web browser; returns when the command
  // that hands it over has ended. False when this system has no command to
  // open it with (POSIX: no xdg-open).
  virtual bool openAddress(const std::string& address) = 0;
  // Starts `executable` in `folder` (after making the drive of `driveSpec`
  // current, when it is not empty) and waits until its start command ended.
  virtual void startProgram(const std::string& driveSpec, const std::string& folder,
                            const std::string& executable) = 0;
  // What the user should read once the screen has been given back: why a
  // program asked for could not be started. Empty when there is nothing to
  // tell, as with a system that reports such failures itself.
  virtual std::string laterNotice() { return {}; }
};

std::unique_ptr<System> makeRealSystem();

}  // namespace kveld
