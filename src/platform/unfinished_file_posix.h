#pragma once
// The files that exist only while the program works on them: the temporary
// file of a replacement and setup's scratch listing. The handlers of the
// signals that end the program remove them, so that a run ended by a signal
// leaves none of them behind. (A run ended by SIGKILL cannot be caught: the
// next run removes what it left, see removeLeftovers.)
#include <signal.h>

#include <string>
#include <vector>

namespace kveld {

// The signals whose default action ends the program and that can be caught:
// every one but SIGKILL and SIGSTOP, the real-time ones included.
const std::vector<int>& endingSignals();
sigset_t endingSignalSet();

// Makes a new file from a mkstemp() pattern (the name is filled in) and
// marks it as unfinished until the holder goes. The ending signals wait
// while the file is made, so that none can come between its making and its
// marking.
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
  int slot_ = -1;
};

// Marks the file of that native path, made by this run or about to be, as
// unfinished until it is let go: until then an ending signal removes it.
void holdUnfinishedFile(const std::string& native);
void letGoUnfinishedFile(const std::string& native);

// Removes every file marked unfinished. Safe in a signal handler.
void removeUnfinishedFiles();

}  // namespace kveld
