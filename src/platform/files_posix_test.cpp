// POSIX-only behaviour of the file operations.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/native_files.h"
#include "platform/real_system.h"
#include "testing/program_path.h"
#include "testing/temp_folder.h"
#include "testing/file_content.h"
#include "testing/file_size_limit_posix.h"
#include "testing/gone_process_posix.h"
#include "testing/watchdog.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

TEST(FilesPosix, AWriteThatFailsPartWayLeavesTheEarlierFileAlone) {
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path file = folder.path() / "Jan-01-M.txt";
  std::ofstream(file, std::ios::binary) << "the earlier set";
  RealSystem system;
  {
    FileSizeLimit limit(4096);
    EXPECT_THROW(system.replaceFile(programPath(file), std::string(100000, 'n')), RunTimeError);
  }
  EXPECT_EQ(contentOf(file), "the earlier set");
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder.path())) names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Jan-01-M.txt"});
}

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs `body` in a child process and returns how the child ended: its exit
// code, or 1000 + the signal that ended it.
template <typename Body>
int inChild(Body body) {
  Watchdog limit(std::chrono::seconds(30), "a child process writing files");
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : WEXITSTATUS(status);
}

// The number of the run-time error a replacement raises; 0 when it succeeds.
int replaceIn(const fs::path& file, const std::string& bytes) {
  try {
    RealSystem().replaceFile(programPath(file), bytes);
    return 0;
  } catch (const RunTimeError& e) {
    return e.number();
  }
}

// A program started under a file-size limit (as `prlimit --fsize` does) gets
// SIGXFSZ for the write that passes it, which by default ends the process:
// the program must see the short write as a full disk instead.
TEST(FilesPosix, AFileSizeLimitIsAFullDiskNotTheEndOfTheProgram) {
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path file = folder.path() / "Jan-01-M.txt";
  std::ofstream(file, std::ios::binary) << "the earlier set";
  const int ended = inChild([&] {
    ::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{4096, RLIM_INFINITY};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return replaceIn(file, std::string(100000, 'n'));
  });
  EXPECT_EQ(ended, err::kDiskFull);
  EXPECT_EQ(contentOf(file), "the earlier set");
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Jan-01-M.txt"});
}

// A file of another owner or group is written in place, so that it keeps
// them: a new file would belong to whoever runs the program.
TEST(FilesPosix, AFileOfAnotherOwnerOrGroupKeepsThem) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the super-user can give a file to another user";
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path file = folder.path() / "Jan-01-M.txt";
  for (const auto& [uid, gid] : {std::pair<uid_t, gid_t>{65534, 65534}, std::pair<uid_t, gid_t>{0, 65534}}) {
    std::ofstream(file, std::ios::binary) << "the earlier set";
    ASSERT_EQ(::chown(file.c_str(), uid, gid), 0);
    ::chmod(file.c_str(), 0664);
    EXPECT_EQ(replaceIn(file, "the new set"), 0);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, uid);
    EXPECT_EQ(st.st_gid, gid);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(contentOf(file), "the new set");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"Jan-01-M.txt"});
  }
}

// A folder in which no file can be made still lets its writable files be
// written in place, as they always could be; a new file there fails as
// before.
TEST(FilesPosix, AFolderThatCannotBeWrittenTakesItsFilesInPlace) {
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path locked = folder.path() / "locked";
  fs::create_directory(locked);
  const fs::path file = locked / "Jan-01-M.txt";
  std::ofstream(file, std::ios::binary) << "the earlier set";
  const bool super = ::geteuid() == 0;
  if (super) {
    // Permissions do not hold back the super-user: the writing is done as
    // another user, who owns the file but not the folder.
    ::chmod(folder.path().c_str(), 0755);
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  } else {
    ::chmod(locked.c_str(), 0555);
  }
  const auto asUser = [super](auto body) {
    return inChild([&] {
      if (super && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 99;
      return body();
    });
  };
  EXPECT_EQ(asUser([&] { return replaceIn(file, "the new set"); }), 0);
  EXPECT_EQ(contentOf(file), "the new set");
  EXPECT_EQ(asUser([&] { return replaceIn(locked / "Feb-02-M.txt", "x"); }), err::kPermissionDenied);
  ::chmod(locked.c_str(), 0755);
  EXPECT_EQ(namesIn(locked), std::vector<std::string>{"Jan-01-M.txt"});
}

TEST(FilesPosix, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
  NoWineDrives noWine;
  TempFolder folder;
  RealSystem system;
  const fs::path earlier = folder.path() / "earlier.txt";
  std::ofstream(earlier) << "x";
  ::chmod(earlier.c_str(), 0640);
  system.replaceFile(programPath(earlier), "new");

  const mode_t mask = ::umask(022);
  system.replaceFile(programPath(folder.path() / "fresh.txt"), "new");
  ::umask(mask);

  struct stat st {};
  ASSERT_EQ(::stat(earlier.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ASSERT_EQ(::stat((folder.path() / "fresh.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

// Nothing but a regular file is written into or renamed over: a name that
// leads to a FIFO is given the file itself, whichever operation writes it,
// and the FIFO stays (and is never waited on).
TEST(FilesPosix, ALinkToAFifoGivesWayToTheFile) {
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path fifo = folder.path() / "fifo";
  const fs::path file = folder.path() / "Jan-01-M.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  RealSystem system;
  const std::pair<const char*, std::function<void()>> writes[] = {
      {"replaceFile", [&] { system.replaceFile(programPath(file), "set"); }},
      {"replaceNativeFile", [&] { replaceNativeFile(file.string(), "set"); }},
      {"writeFile", [&] { system.writeFile(programPath(file), "set"); }},
  };
  for (const auto& [what, write] : writes) {
    SCOPED_TRACE(what);
    fs::remove(file);
    fs::create_symlink(fifo, file);
    const Watchdog limit(std::chrono::seconds(20), std::string(what) + " through a link to a FIFO");
    write();
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
    EXPECT_EQ(contentOf(file), "set");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
  }
}

// A run killed while writing a file leaves its temporary beside it; the next
// write of that file removes it, but neither the temporary of a run still
// writing it nor anything else.
TEST(FilesPosix, TemporariesOfKilledRunsGoWithTheNextWrite) {
  NoWineDrives noWine;
  TempFolder folder;
  const std::string gone = goneProcessNumber();
  const std::vector<std::pair<std::string, bool>> names = {
      {".Jan-01-M.txt." + gone + ".a1B2c3", false},
      {".Jan-01-M.txt." + runningProcessNumber() + ".a1B2c3", true},
      {".Jan-01-A.txt." + gone + ".a1B2c3", true},  // another file's: it goes with that file's write
      {".Jan-01-M.txt.a1B2c3", true},               // no process number: whose it is cannot be told
      {".Jan-01-M.txt." + gone + ".a1B2c3.x", true},
  };
  for (const auto& [name, stays] : names) std::ofstream(folder.path() / name) << "part of a set";
  RealSystem().replaceFile(programPath(folder.path() / "Jan-01-M.txt"), "set");
  for (const auto& [name, stays] : names) EXPECT_EQ(fs::exists(folder.path() / name), stays) << name;
  RealSystem().replaceFile(programPath(folder.path() / "Jan-01-A.txt"), "set");
  EXPECT_FALSE(fs::exists(folder.path() / names[2].first));
}

}  // namespace
}  // namespace kveld
