#pragma once
// Process numbers for tests of what runs leave behind: one of a process that
// ran and has ended (no process has it until the system hands it out again,
// which takes a while), and one of a process that runs.
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
