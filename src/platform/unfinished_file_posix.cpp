#include "platform/unfinished_file.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace kveld {
namespace {

// Filled before `held` is set and only read while it is set, so that a
// signal handler never sees half a name.
char heldName[PATH_MAX];
volatile sig_atomic_t held = 0;

}  // namespace

UnfinishedFile::UnfinishedFile(std::string& pattern) {
  sigset_t ending, before;
  sigemptyset(&ending);
  for (int s : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) sigaddset(&ending, s);
  sigprocmask(SIG_BLOCK, &ending, &before);
  held = 0;
  fd_ = ::mkstemp(pattern.data());
  const int error = errno;
  if (fd_ >= 0 && pattern.size() < sizeof heldName) {  // (a longer name no system opens)
    std::memcpy(heldName, pattern.c_str(), pattern.size() + 1);
    held = 1;
  }
  sigprocmask(SIG_SETMASK, &before, nullptr);  // a signal that came meanwhile is handled here
  errno = error;
}

UnfinishedFile::~UnfinishedFile() { held = 0; }

void removeUnfinishedFile() {
  if (!held) return;
  held = 0;
  ::unlink(heldName);
}

}  // namespace kveld
