#include "platform/process_facts.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/run_time_error.h"

namespace kveld {

unsigned long processNumber() { return static_cast<unsigned long>(::getpid()); }

bool processRuns(unsigned long number) {
  if (number == 0 || number > static_cast<unsigned long>(INT_MAX)) return false;  // no process has it
  return ::kill(static_cast<pid_t>(number), 0) == 0 || errno == EPERM;
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::string programFolder() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) throw RunTimeError(errorNumberFromErrno(errno), "cannot tell the program's own folder");
    if (static_cast<std::size_t>(n) < buffer.size()) {
      std::string path(buffer.data(), static_cast<std::size_t>(n));
      const auto slash = path.find_last_of('/');
      return slash == 0 ? "/" : path.substr(0, slash);
    }
    buffer.resize(buffer.size() * 2);  // the path may have been cut short
  }
}

}  // namespace kveld
