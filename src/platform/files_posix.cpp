// Reading, writing, replacing and deleting files on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error_numbers.h"
#include "platform/native_files.h"
#include "platform/paths.h"
#include "platform/real_system.h"

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

// Windows refuses to write or delete a file that carries the read-only
// attribute, and a folder in place of a file, whoever asks. A file without
// any write permission bit is the read-only file here; the bits are checked
// explicitly because the super-user would otherwise pass.
void refuseReadOnly(const std::string& native, const std::string& doing) {
  struct stat st {};
  if (::stat(native.c_str(), &st) != 0) return;
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

}  // namespace

std::string RealSystem::readFile(const std::string& path) {
  const std::string native = nativePath(path);
  Descriptor fd(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) raise(errno, "opening", native);
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
    throw RunTimeError(err::kPermissionDenied, "reading " + native + ": a folder");
  std::string bytes;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) raise(errno, "reading", native);
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

void RealSystem::writeFile(const std::string& path, const std::string& bytes) {
  const std::string native = nativePath(path);
  refuseReadOnly(native, "writing");
  Descriptor fd(::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) raise(errno, "creating", native);
  writeAll(fd.get(), bytes, native);
  if (fd.close() != 0) raise(errno, "closing", native);
}

namespace {

// Writes the new content beside the file and renames it over the file.
void replaceNative(const std::string& native, const std::string& bytes) {
  const std::string folder = folderOf(native);
  refuseReadOnly(native, "replacing");

  // The new file keeps the permissions of the one it replaces.
  struct stat earlier {};
  const mode_t mode = ::stat(native.c_str(), &earlier) == 0 ? static_cast<mode_t>(earlier.st_mode & 07777)
                                                             : creationMode();

  // The new content is written to a hidden file beside the old one and then
  // renamed over it: other programs see the old file or the new one, never
  // a part of it.
  std::string temp = native + ".XXXXXX";
  const std::size_t slash = temp.rfind('/');
  temp.insert(slash == std::string::npos ? 0 : slash + 1, ".");
  Descriptor fd(::mkstemp(temp.data()));
  if (fd.get() < 0) raise(errno, "creating", native);
  try {
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
  if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw RunTimeError(err::kPermissionDenied, "creating " + native + ": the folder is read-only");
  replaceNative(native, bytes);
}

void RealSystem::deleteFile(const std::string& path) {
  const std::string native = nativePath(path);
  refuseReadOnly(native, "deleting");
  if (::unlink(native.c_str()) != 0) raise(errno, "deleting", native);
}

}  // namespace kveld
