#pragma once
// The number of a process that has run and ended: no process has it now
// (until the system hands it out again, which takes a while).
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace kveld {

inline std::string goneProcessNumber() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return std::to_string(child);
}

inline std::string runningProcessNumber() { return std::to_string(::getppid()); }

}  // namespace kveld
