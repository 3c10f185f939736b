#include "platform/spawn_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace kveld {

int spawnProgram(const SpawnRequest& r, pid_t& pid) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  if (!r.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, r.folder.c_str());
  if (r.input >= 0) {
    posix_spawn_file_actions_adddup2(&actions, r.input, 0);
  } else if (r.quiet) {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  }
  if (r.quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv;
  for (const std::string& a : r.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const int rc = r.searchPath ? posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ)
                              : posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return rc;
}

int executableFileError(const std::string& native) {
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode) || (st.st_mode & 0111) == 0) return EACCES;
  return ::access(native.c_str(), X_OK) == 0 ? 0 : errno;
}

std::string findOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string rest = path ? path : "/bin:/usr/bin";
  for (;;) {
    const std::size_t colon = rest.find(':');
    std::string dir = rest.substr(0, colon);
    if (dir.empty()) dir = ".";
    const std::string candidate = dir + "/" + name;
    if (isExecutableFile(candidate)) return candidate;
    if (colon == std::string::npos) return {};
    rest.erase(0, colon + 1);
  }
}

}  // namespace kveld
