// Starting other programs on POSIX systems: from an argument vector, never
// through a shell, and waiting until they end.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/paths.h"
#include "platform/real_system.h"
#include "platform/spawn_posix.h"

namespace kveld {

namespace {

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
    case ENOEXEC:
    case EACCES:
    case EPERM:
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case ELOOP:
    case ETXTBSY:
    case ENAMETOOLONG: return true;
    default: return false;
  }
}

// Starts the program and waits until it has ended. Returns the error of a
// start that failed (0 when it ran); other failures raise.
int spawnAndWait(const SpawnRequest& s) {
  pid_t pid = 0;
  const int rc = spawnProgram(s, pid);
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
  const int rc = spawnAndWait({{"xdg-open", address}, {}, true, -1, true});
  if (rc == ENOENT) return false;
  if (rc != 0)
    throw RunTimeError(errorNumberFromErrno(rc), "starting xdg-open: " + std::string(std::strerror(rc)));
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
  // the command interpreter cannot find or run it: normally, and with word
  // of it for the user once the terminal is given back.
  notice_.clear();
  std::string program = folder + "\\" + executable;
  const auto cannotStart = [&](const std::string& why) { notice_ = "cannot start " + program + ": " + why; };
  try {
    program = absolutePath(nativePath(program));
  } catch (const RunTimeError& e) {
    return cannotStart(e.what());
  }
  SpawnRequest spawn;
  spawn.folder = nativeFolder;
  if (fileStart(program, 2) == "MZ") {
    const std::string wine = findOnPath("wine");
    if (wine.empty()) return cannotStart("a Windows program, and no wine on the PATH to run it");
    spawn.argv = {wine, program};
    // A Windows program shows its own windows; what Wine itself prints
    // would only scribble over the last screen.
    spawn.quiet = true;
  } else if (const int error = executableFileError(program); error != 0) {
    return cannotStart(std::strerror(error));
  } else {
    spawn.argv = {program};
  }
  const int rc = spawnAndWait(spawn);
  if (rc != 0 && !isUnrunnableProgram(rc))
    throw RunTimeError(errorNumberFromErrno(rc),
                       "starting " + program + ": " + std::string(std::strerror(rc)));
  if (rc != 0) cannotStart(std::strerror(rc));
}

}  // namespace kveld
