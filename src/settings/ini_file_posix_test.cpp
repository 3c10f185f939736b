// The settings file on POSIX: files that are no regular files count as
// invalid settings at once, without waiting on them or reading them to no
// end; writing replaces the file in one step and goes through a link.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/program.h"
#include "settings/ini_file.h"
#include "testing/file_content.h"
#include "testing/program_parts.h"
#include "testing/temp_folder.h"
#include "testing/watchdog.h"

namespace kveld {
namespace {

struct OddSettingsFile : ::testing::Test, ProgramParts<> {
  void expectInvalid(const char* what) {
    Watchdog limit(std::chrono::seconds(20), std::string("reading a settings file that is ") + what);
    program.settingsValid = true;
    readSettings(program);
    EXPECT_FALSE(program.settingsValid) << what;
  }
  TempFolder folder;
};

TEST_F(OddSettingsFile, AFifoOrADeviceIsInvalid) {
  // No program writes into the FIFO: opening it to read would wait for one.
  ASSERT_EQ(::mkfifo("KVELD.INI", 0600), 0);
  expectInvalid("a FIFO");
  std::filesystem::remove("KVELD.INI");
  // A link to a device that never ends.
  std::filesystem::create_symlink("/dev/zero", "KVELD.INI");
  expectInvalid("a link to /dev/zero");
}

// The settings file is replaced in one step: a write that fails part-way
// (here at a limit on the size of files) leaves the earlier file whole, so
// that another copy of the program never reads half a file.
TEST_F(OddSettingsFile, AFailedWriteLeavesTheEarlierFileWhole) {
  const std::string earlier = "DeepFinesseDirectory=C:\\Old\r\nExecutableFile=OLD.EXE\r\n";
  std::ofstream("KVELD.INI", std::ios::binary) << earlier;
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit limit = old;
  limit.rlim_cur = 16;
  const auto oldSignal = ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  try {
    writeSettings(program, {"C:\\Programs\\Deep Finesse", "DF.EXE"});
    ADD_FAILURE() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number(), err::kDiskFull);
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldSignal);
  EXPECT_EQ(contentOf("KVELD.INI"), earlier);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()),
            1);
}

// Users link their settings file on purpose: the link stays and the file it
// leads to gets the settings.
TEST_F(OddSettingsFile, ALinkedSettingsFileIsWrittenThrough) {
  std::filesystem::create_directory("elsewhere");
  std::ofstream("elsewhere/kveld.ini") << "old";
  std::filesystem::create_symlink("elsewhere/kveld.ini", "KVELD.INI");
  writeSettings(program, {"C:\\DF", "DF.EXE"});
  EXPECT_TRUE(std::filesystem::is_symlink("KVELD.INI"));
  EXPECT_EQ(contentOf("elsewhere/kveld.ini"), "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n");
}

TEST_F(OddSettingsFile, AFolderStaysAnAccessFailure) {
  std::filesystem::create_directory("KVELD.INI");
  try {
    readSettings(program);
    ADD_FAILURE() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number(), err::kPermissionDenied);
  }
}

}  // namespace
}  // namespace kveld
