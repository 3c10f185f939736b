// The one way programs are started on POSIX systems, through real processes.
#include "platform/spawn_posix.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "testing/watchdog.h"

namespace kveld {
namespace {

using namespace std::chrono_literals;

// Starts the request and returns how the program ended (waitpid's status).
int runToEnd(const SpawnRequest& request) {
  pid_t pid = 0;
  EXPECT_EQ(spawnProgram(request, pid), 0);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  return status;
}

struct SpawnTest : ::testing::Test {
  Watchdog watchdog{60s, "a started program did not end"};
};

TEST_F(SpawnTest, InputFromTheGivenDescriptorAndSignalsAtTheirDefaults) {
  int fds[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
  ASSERT_EQ(::write(fds[0], "hello\n", 6), 6);
  SpawnRequest request;
  request.argv = {"sh", "-c", "read word && test \"$word\" = hello"};
  request.searchPath = true;
  request.input = fds[1];
  request.quiet = true;
  EXPECT_EQ(runToEnd(request), 0);
  ::close(fds[0]);
  ::close(fds[1]);

  // A signal this program ignores still ends the started one.
  struct sigaction ignore {
  }, old{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGINT, &ignore, &old);
  const int status = runToEnd({{"/bin/sh", "-c", "kill -INT $$; exit 3"}, {}, false, -1, true});
  ::sigaction(SIGINT, &old, nullptr);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
}

TEST_F(SpawnTest, FoldersPathsAndFailures) {
  EXPECT_EQ(runToEnd({{"/bin/sh", "-c", "test \"$(pwd -P)\" = /"}, "/", false, -1, true}), 0);

  pid_t pid = 0;
  EXPECT_EQ(spawnProgram({{"/no/such/program"}, {}, false, -1, true}, pid), ENOENT);

  // Without a PATH the programs of /bin and /usr/bin are found, as
  // posix_spawnp finds them.
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::unsetenv("PATH");
  const std::string sh = findOnPath("sh");
  const std::string none = findOnPath("no-such-program-here");
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_TRUE(sh == "/bin/sh" || sh == "/usr/bin/sh") << sh;
  EXPECT_EQ(none, "");
  EXPECT_FALSE(isExecutableFile("/"));
}

}  // namespace
}  // namespace kveld
