#pragma once
// A full disk for POSIX tests, made real by a limit on the size of the files
// this process may write.
#include <sys/resource.h>

#include <csignal>

namespace kveld {

// While it lives, no file of this process can grow beyond `bytes`: a write
// past it stops short and then fails (EFBIG) as on a full disk, instead of
// ending the process with SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    set_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool set() const { return set_; }

 private:
  rlimit old_{};
  bool set_ = false;
  void (*oldHandler_)(int) = nullptr;
};

}  // namespace kveld
