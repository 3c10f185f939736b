#pragma once
// The temporary file that a replacement is writing, known to the handlers of
// the signals that end the program: they remove it, so that a run ended
// while writing leaves no temporary file behind. One file is written at a
// time.
#include <string>

namespace kveld {

// Marks `native` as the file being written, until the holder goes.
class UnfinishedFile {
 public:
  explicit UnfinishedFile(const std::string& native);
  ~UnfinishedFile();
  UnfinishedFile(const UnfinishedFile&) = delete;
  UnfinishedFile& operator=(const UnfinishedFile&) = delete;
};

// Removes the file being written, if there is one. Safe in a signal handler.
void removeUnfinishedFile();

}  // namespace kveld
