// Starting other programs on POSIX systems: from an argument vector, never
// through a shell, and waiting until they end.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/paths.h"
#include "platform/real_system.h"

extern char** environ;

namespace kveld {

namespace {

bool isExecutableFile(const std::string& native) {
  struct stat st {};
  return ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0111) != 0 &&
         ::access(native.c_str(), X_OK) == 0;
}

// The program `name` as the PATH finds it; empty when it is not there.
std::string findOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string rest = path ? path : "";
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

// The path as seen from any folder: a relative one is taken from the
// program's current folder, since the started program runs in another.
std::string absolutePath(const std::string& native) {
  if (!native.empty() && native.front() == '/') return native;
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) throw RunTimeError(errorNumberFromErrno(errno), "cannot tell the current folder");
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data()) + "/" + native;
}

// The first bytes of a file; fewer when it is shorter or cannot be read.
std::string fileStart(const std::string& native, std::size_t count) {
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string bytes(count, '\0');
  const ssize_t n = ::read(fd, bytes.data(), count);
  ::close(fd);
  bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return bytes;
}

// Errors of a start that name the program itself as the cause (it is no
// program, may not be run, or has gone); the system could start processes.
bool isUnrunnableProgram(int error) {
  switch (error) {
    case ENOEXEC: case EACCES: case EPERM: case ENOENT: case ENOTDIR: case EISDIR: case ELOOP:
    case ETXTBSY: case ENAMETOOLONG:
      return true;
    default:
      return false;
  }
}

struct Spawn {
  std::vector<std::string> argv;
  std::string folder;        // empty: the program's own current folder
  bool searchPath = false;   // argv[0] is looked for on the PATH
  bool quiet = false;        // standard input and output go to /dev/null
};

// Starts the program and waits until it has ended. Returns the error of a
// start that failed (0 when it ran); other failures raise.
int spawnAndWait(const Spawn& s) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  if (!s.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, s.folder.c_str());
  if (s.quiet) {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  // The program gets the usual signal dispositions, whatever the terminal
  // code has set up for itself.
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE, SIGTSTP, SIGTTIN, SIGTTOU, SIGCHLD, SIGWINCH,
                  SIGCONT, SIGXFSZ})
    sigaddset(&defaults, sig);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> argv;
  for (const std::string& a : s.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int rc = s.searchPath ? posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ)
                              : posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (rc != 0) return rc;

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw RunTimeError(errorNumberFromErrno(errno), "waiting for " + s.argv[0]);
  }
  return 0;
}

}  // namespace

bool RealSystem::openAddress(const std::string& address) {
  // Without xdg-open there is nothing that can show the address; the caller
  // tells the user so.
  const int rc = spawnAndWait({{"xdg-open", address}, {}, true, true});
  if (rc == ENOENT) return false;
  if (rc != 0) throw RunTimeError(errorNumberFromErrno(rc), "starting xdg-open: " + std::string(std::strerror(rc)));
  return true;
}

void RealSystem::startProgram(const std::string&, const std::string& folder, const std::string& executable) {
  // The drive of a Windows path is part of the path here, so `driveSpec`
  // needs no step of its own.
  const std::string nativeFolder = nativePath(folder);
  struct stat st {};
  if (::stat(nativeFolder.c_str(), &st) != 0)
    throw RunTimeError(errorNumberFromErrno(errno, false), "changing to " + nativeFolder);
  if (!S_ISDIR(st.st_mode)) throw RunTimeError(err::kPathNotFound, "changing to " + nativeFolder);

  // A program that cannot be found or run here ends the run as it does when
  // the command interpreter cannot find or run it: normally.
  std::string program;
  try {
    program = absolutePath(nativePath(folder + "\\" + executable));
  } catch (const RunTimeError&) {
    return;
  }
  Spawn spawn;
  spawn.folder = nativeFolder;
  if (fileStart(program, 2) == "MZ") {
    const std::string wine = findOnPath("wine");
    if (wine.empty()) return;
    spawn.argv = {wine, program};
    // A Windows program shows its own windows; what Wine itself prints
    // would only scribble over the last screen.
    spawn.quiet = true;
  } else if (isExecutableFile(program)) {
    spawn.argv = {program};
  } else {
    return;
  }
  const int rc = spawnAndWait(spawn);
  if (rc != 0 && !isUnrunnableProgram(rc))
    throw RunTimeError(errorNumberFromErrno(rc), "starting " + program + ": " + std::string(std::strerror(rc)));
}

}  // namespace kveld
