#include "platform/unfinished_file_posix.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace kveld {
namespace {

// A slot's name is filled before `held` is set and only read while it is
// set, so that a signal handler never sees half a name. Setup's scratch
// file and one replacement are the most ever held at once.
struct Slot {
  char name[PATH_MAX];
  volatile sig_atomic_t held;
};
Slot slots[4];

// Blocks the ending signals for its lifetime; a signal that came meanwhile
// is handled when it goes.
class EndingSignalsWait {
 public:
  EndingSignalsWait() {
    const sigset_t ending = endingSignalSet();
    sigprocmask(SIG_BLOCK, &ending, &before_);
  }
  ~EndingSignalsWait() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
  EndingSignalsWait(const EndingSignalsWait&) = delete;
  EndingSignalsWait& operator=(const EndingSignalsWait&) = delete;

 private:
  sigset_t before_{};
};

// The slot now holding the name; -1 when the name is too long for any
// system to open or every slot is taken.
int hold(const char* name) {
  const std::size_t length = std::strlen(name);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
    Slot& s = slots[i];
    if (s.held) continue;
    std::memcpy(s.name, name, length + 1);
    s.held = 1;
    return i;
  }
  return -1;
}

}  // namespace

const std::vector<int>& endingSignals() {
  static const std::vector<int> signals = [] {
    std::vector<int> s = {SIGHUP,  SIGINT,  SIGQUIT,   SIGILL,  SIGTRAP, SIGABRT, SIGBUS,
                          SIGFPE,  SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM,
                          SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGSYS};
#ifdef SIGSTKFLT
    s.push_back(SIGSTKFLT);
#endif
#ifdef SIGPOLL
    s.push_back(SIGPOLL);
#endif
#ifdef SIGPWR
    s.push_back(SIGPWR);
#endif
#ifdef SIGEMT
    s.push_back(SIGEMT);
#endif
#ifdef SIGLOST
    s.push_back(SIGLOST);
#endif
    for (int r = SIGRTMIN; r <= SIGRTMAX; ++r) s.push_back(r);
    return s;
  }();
  return signals;
}

sigset_t endingSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : endingSignals()) sigaddset(&set, s);
  return set;
}

UnfinishedFile::UnfinishedFile(std::string& pattern) {
  const EndingSignalsWait wait;
  fd_ = ::mkstemp(pattern.data());
  const int error = errno;
  if (fd_ >= 0) slot_ = hold(pattern.c_str());
  errno = error;
}

UnfinishedFile::~UnfinishedFile() {
  if (slot_ >= 0) slots[slot_].held = 0;
}

void holdUnfinishedFile(const std::string& native) { hold(native.c_str()); }

void letGoUnfinishedFile(const std::string& native) {
  for (Slot& s : slots)
    if (s.held && native == s.name) s.held = 0;
}

void removeUnfinishedFiles() {
  for (Slot& s : slots) {
    if (!s.held) continue;
    s.held = 0;
    ::unlink(s.name);
  }
}

}  // namespace kveld
