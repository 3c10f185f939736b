// Reading, writing, replacing and deleting files on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include "platform/error_numbers.h"
#include "platform/leftovers.h"
#include "platform/native_files.h"
#include "platform/paths.h"
#include "platform/process_facts.h"
#include "platform/real_system.h"
#include "platform/unfinished_file.h"

namespace kveld {

namespace {

std::string folderOf(const std::string& native) {
  const std::size_t slash = native.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

bool isFolder(const std::string& native) {
  struct stat st {};
  return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void raise(int e, const std::string& doing, const std::string& native) {
  throw RunTimeError(errorNumberFromErrno(e, isFolder(folderOf(native))),
                     doing + " " + native + ": " + std::strerror(e));
}

// Whether a path leads to something that is neither a regular file nor a
// folder (a FIFO, a device, a socket). Such a thing is never written into
// or renamed over: its name is given the new file instead.
bool leadsToOddFile(const struct stat& st) { return !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode); }

// Windows refuses to write or delete a file that carries the read-only
// attribute, and a folder in place of a file, whoever asks. A file without
// any write permission bit is the read-only file here; the bits are checked
// explicitly because the super-user would otherwise pass.
void refuseReadOnly(const std::string& native, const std::string& doing) {
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0 || leadsToOddFile(st)) return;
  if (S_ISDIR(st.st_mode)) throw RunTimeError(err::kPermissionDenied, doing + " " + native + ": a folder");
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw RunTimeError(err::kPermissionDenied, doing + " " + native + ": read-only");
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, so that a failure of the close itself is seen.
  int close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

void writeAll(int fd, const std::string& bytes, const std::string& native) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) raise(errno, "writing", native);
    if (n == 0) raise(ENOSPC, "writing", native);
    done += static_cast<std::size_t>(n);
  }
}

mode_t creationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

void writeNativeInPlace(const std::string& native, const std::string& bytes) {
  // Only a regular file is written into: something else put in its place
  // meanwhile (a FIFO would hold the program, a device would take the bytes)
  // is refused as a folder would be.
  Descriptor fd(
      ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
  if (fd.get() < 0) raise(errno == ENXIO ? EACCES : errno, "creating", native);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) raise(errno, "creating", native);
  if (!S_ISREG(st.st_mode)) throw RunTimeError(err::kPermissionDenied, "writing " + native + ": not a file");
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) raise(errno, "creating", native);
  writeAll(fd.get(), bytes, native);
  if (fd.close() != 0) raise(errno, "closing", native);
}

}  // namespace

void RealSystem::writeInPlace(const std::string& native, const std::string& bytes) {
  writeNativeInPlace(native, bytes);
}

namespace {

void createNativeAfresh(const std::string& native, const std::string& bytes) {
  // A link planted under the name would lead the bytes into another file,
  // and a FIFO would hold the program until someone read it: whatever is
  // there goes first (a folder stays, and the creation fails on it). The
  // new file is made exclusively, so that nothing slipped in meanwhile is
  // written through either.
  struct stat st {};
  if (::lstat(native.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && ::unlink(native.c_str()) != 0)
    raise(errno, "deleting", native);
  Descriptor fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  if (fd.get() < 0) raise(errno, "creating", native);
  writeAll(fd.get(), bytes, native);
  if (fd.close() != 0) raise(errno, "closing", native);
}

}  // namespace

void RealSystem::createAfresh(const std::string& path, const std::string& bytes) {
  createNativeAfresh(nativePath(path), bytes);
}

namespace {

// Reads the open file from where it stands until its end or until `done`
// holds for what has been read.
template <typename Done>
std::string readUntil(int fd, const std::string& native, Done done) {
  std::string bytes;
  char buffer[8192];
  while (!done(bytes)) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) raise(errno, "reading", native);
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

}  // namespace

RealSystem::RealSystem() {
  // Under a limit on the size of files (RLIMIT_FSIZE, `prlimit --fsize`) a
  // write past it raises SIGXFSZ, which would end the program with the
  // terminal left raw and a temporary file behind. Ignored, the write stops
  // short or fails with EFBIG, which is reported as a full disk. Programs
  // started from here get the usual disposition back.
  ::signal(SIGXFSZ, SIG_IGN);
}

std::optional<std::string> RealSystem::readFileStart(const std::string& path, std::size_t most,
                                                     const std::function<bool(std::string_view)>& enough) {
  const std::string native = nativePath(path);
  // A FIFO, a device or a socket is neither opened (which could wait for a
  // writer, or act on a device) nor read.
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) return std::nullopt;
  Descriptor fd(::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) raise(errno, "opening", native);
  if (::fstat(fd.get(), &st) != 0) raise(errno, "reading", native);
  if (S_ISDIR(st.st_mode)) throw RunTimeError(err::kPermissionDenied, "reading " + native + ": a folder");
  if (!S_ISREG(st.st_mode)) return std::nullopt;
  return readUntil(fd.get(), native,
                   [&](const std::string& bytes) { return bytes.size() > most || enough(bytes); });
}

std::string RealSystem::readFile(const std::string& path) {
  const std::string native = nativePath(path);
  Descriptor fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) raise(errno, "opening", native);
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
    throw RunTimeError(err::kPermissionDenied, "reading " + native + ": a folder");
  return readUntil(fd.get(), native, [](const std::string&) { return false; });
}

void RealSystem::writeFile(const std::string& path, const std::string& bytes) {
  const std::string native = nativePath(path);
  refuseReadOnly(native, "writing");
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && leadsToOddFile(st)) return createNativeAfresh(native, bytes);
  writeInPlace(native, bytes);
}

namespace {

// The names of the entries of `folder`, folders aside, that carry (as
// `numberOf` reads them) the number of a process that no longer runs, or this
// program's own (a run before it that had the same number).
std::vector<std::string> leftoversIn(const std::string& folder,
                                     const std::function<unsigned long(std::string_view)>& numberOf) {
  std::vector<std::string> names;
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
  if (dir == nullptr) {
    if (fd >= 0) ::close(fd);
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const unsigned long number = numberOf(entry->d_name);
    struct stat st {};
    if (number != 0 && (number == processNumber() || !processRuns(number)) &&
        ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(st.st_mode))
      names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

// Removes the temporaries that runs killed while replacing the file left
// beside it (`prefix` is ".NAME."). A folder is read once, at the first
// replacement in it, so that writing many files into a full folder stays
// quick; a temporary that a run killed after that leaves waits for the
// next run.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix) {
  static std::map<std::string, std::vector<std::string>> stale;
  auto [known, first] = stale.try_emplace(folder);
  if (first) known->second = leftoversIn(folder, temporaryProcessNumber);
  std::erase_if(known->second, [&](const std::string& name) {
    if (processNumberIn(name, prefix, 7) == 0) return false;
    ::unlink((folder + "/" + name).c_str());
    return true;
  });
}

// Writes the new content beside the file and renames it over the file.
void replaceNative(std::string native, const std::string& bytes) {
  refuseReadOnly(native, "replacing");

  // A link to a file is written through: the file it leads to is replaced
  // and the link stays (users link files on purpose). A link to nothing
  // makes its file as opening it for writing does. A link to anything else
  // (a FIFO, a device, a socket) is itself replaced by the file: nothing but
  // a regular file is ever written into or renamed over.
  struct stat link {};
  if (::lstat(native.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char target[PATH_MAX];
    struct stat led {};
    if (::realpath(native.c_str(), target) == nullptr) return writeNativeInPlace(native, bytes);
    if (::stat(target, &led) == 0 && S_ISREG(led.st_mode)) native = target;
  }

  // A file with other names (hard links) is written in place, so that all
  // of them keep showing the one file.
  struct stat earlier {};
  const bool hasEarlier = ::stat(native.c_str(), &earlier) == 0 && S_ISREG(earlier.st_mode);
  if (hasEarlier && earlier.st_nlink > 1) return writeNativeInPlace(native, bytes);

  // The new file keeps the permissions of the one it replaces.
  const mode_t mode = hasEarlier ? static_cast<mode_t>(earlier.st_mode & 07777) : creationMode();

  // The new content is written to a hidden file beside the old one and then
  // renamed over it: other programs see the old file or the new one, never
  // a part of it.
  // Its name carries the process number (".NAME.PID.XXXXXX"), so that the
  // temporaries of runs that were killed while writing this file can be
  // told from one being written, and go now.
  const std::string folder = folderOf(native);
  const std::size_t slash = native.rfind('/');
  const std::string prefix = "." + native.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
  removeStaleTemporaries(folder, prefix);
  std::string temp = native.substr(0, slash == std::string::npos ? 0 : slash + 1) + prefix +
                     std::to_string(processNumber()) + ".XXXXXX";
  const UnfinishedFile unfinished(temp);
  Descriptor fd(unfinished.descriptor());
  if (fd.get() < 0) {
    // A folder in which no file can be made still lets its files be
    // written, as they always could be.
    if (hasEarlier && (errno == EACCES || errno == EPERM || errno == EROFS))
      return writeNativeInPlace(native, bytes);
    raise(errno, "creating", native);
  }
  try {
    // A new file belongs to whoever runs the program; a file of another
    // owner or group is written in place, so that it keeps them.
    struct stat made {};
    if (hasEarlier && ::fstat(fd.get(), &made) == 0 &&
        (made.st_uid != earlier.st_uid || made.st_gid != earlier.st_gid)) {
      fd.close();
      ::unlink(temp.c_str());
      return writeNativeInPlace(native, bytes);
    }
    // No permissions while it is written, so that no other user's program
    // can open it meanwhile.
    if (::fchmod(fd.get(), 0) != 0) raise(errno, "creating", native);
    if (::fcntl(fd.get(), F_SETFD, FD_CLOEXEC) != 0) raise(errno, "creating", native);
    writeAll(fd.get(), bytes, native);
    if (::fchmod(fd.get(), mode) != 0) raise(errno, "writing", native);
    if (::fsync(fd.get()) != 0) raise(errno, "writing", native);
    if (fd.close() != 0) raise(errno, "closing", native);
    if (::rename(temp.c_str(), native.c_str()) != 0) raise(errno, "replacing", native);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // Makes the rename itself durable. The new file is already in place for
  // every program, so a folder that cannot be flushed changes nothing.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

void RealSystem::replaceFile(const std::string& path, const std::string& bytes) {
  replaceNative(nativePath(path), bytes);
}

void replaceNativeFile(const std::string& native, const std::string& bytes) {
  // A folder without any write permission bit is one the user has marked
  // read-only; it is refused for the super-user too, as a read-only file is.
  struct stat st {};
  const std::string folder = folderOf(native);
  if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
      (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw RunTimeError(err::kPermissionDenied, "creating " + native + ": the folder is read-only");
  replaceNative(native, bytes);
}

std::string readNativeFile(const std::string& native) {
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) raise(errno, "opening", native);
  std::string bytes;
  struct stat st {};
  int failure = ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
  char buffer[65536];
  while (failure == 0) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failure = errno;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (failure != 0) raise(failure, "reading", native);
  return bytes;
}

void RealSystem::deleteFile(const std::string& path) {
  const std::string native = nativePath(path);
  letGoUnfinishedFile(native);
  refuseReadOnly(native, "deleting");
  if (::unlink(native.c_str()) != 0) raise(errno, "deleting", native);
}

void removeLeftoversIn(const std::string& folder, std::string_view prefix, std::size_t tail) {
  for (const std::string& name :
       leftoversIn(folder, [&](std::string_view n) { return processNumberIn(n, prefix, tail); }))
    ::unlink((folder + "/" + name).c_str());
}

void RealSystem::removeLeftovers(const std::string& stem) { removeLeftoversIn(".", stem, 0); }

}  // namespace kveld
