#pragma once
// The temporary file that a replacement is writing, known to the handlers of
// the signals that end the program: they remove it, so that a run ended
// while writing leaves no temporary file behind. One file is written at a
// time.
#include <string>

namespace kveld {

// Makes a new file from a mkstemp() pattern (the name is filled in) and
// marks it as the file being written, until the holder goes. The signals
// that end the program wait while the file is made, so that none can come
// between its making and its marking.
class UnfinishedFile {
 public:
  explicit UnfinishedFile(std::string& pattern);
  ~UnfinishedFile();
  UnfinishedFile(const UnfinishedFile&) = delete;
  UnfinishedFile& operator=(const UnfinishedFile&) = delete;
  // The open file; below 0 (errno set) when it could not be made.
  int descriptor() const { return fd_; }

 private:
  int fd_ = -1;
};

// Removes the file being written, if there is one. Safe in a signal handler.
void removeUnfinishedFile();

}  // namespace kveld
