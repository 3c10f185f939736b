#pragma once
// Starting another program on POSIX systems: from an argument vector with
// posix_spawn, never through a shell.
#include <sys/types.h>

#include <string>
#include <vector>

namespace kveld {

struct SpawnRequest {
  std::vector<std::string> argv;
  std::string folder;       // empty: this program's current folder
  bool searchPath = false;  // argv[0] is looked for on the PATH
  int input = -1;           // descriptor for its standard input; -1: see quiet
  bool quiet = false;       // output and error (and input, unless given) go to /dev/null
};

// Starts the program with an empty signal mask and every signal at its
// default action, whatever this program has set up for itself. Returns the
// error of a start that failed, 0 when it started (its id in `pid`).
int spawnProgram(const SpawnRequest& request, pid_t& pid);

// The program `name` as the PATH finds it (as posix_spawnp would: an unset
// PATH is /bin:/usr/bin); empty when it is not there.
std::string findOnPath(const std::string& name);

// 0 when the path is a regular file that this user may execute; otherwise
// the error a start of it would meet.
int executableFileError(const std::string& native);
inline bool isExecutableFile(const std::string& native) { return executableFileError(native) == 0; }

}  // namespace kveld
