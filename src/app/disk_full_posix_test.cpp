// A disk that fills up part-way through the archive file, made real by a
// limit on the size of the files this process may write: the write stops
// short and then fails as a full disk does. The whole program runs against
// the real files.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_flow.h"
#include "testing/scripted_console.h"
#include "testing/screen_checks.h"
#include "testing/program_path.h"
#include "testing/fake_system.h"
#include "testing/temp_folder.h"
#include "testing/file_content.h"
#include "testing/file_size_limit_posix.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

TEST(DiskFull, PartWayThroughTheArchiveFileHaltsAndKeepsTheEarlierFile) {
  for (bool earlier : {true, false}) {
    SCOPED_TRACE(earlier ? "with an earlier file" : "without an earlier file");
    NoWineDrives noWine;
    TempFolder folder;
    const fs::path archive = folder.path() / "DF" / "DEALAR~1";
    fs::create_directories(archive);
    const std::string settings =
        "DeepFinesseDirectory=" + programPath(folder.path() / "DF") + "\r\nExecutableFile=DF.EXE\r\n";
    std::ofstream("KVELD.INI", std::ios::binary) << settings;
    const std::string earlierSet = "an earlier set\r\n";
    if (earlier) std::ofstream(archive / "Jan-01-M.txt", std::ios::binary) << earlierSet;

    ScriptedConsole device(keys::typed("1000100006\r"));
    device.addKeys({keys::enter, "k"});
    FakeSystem system(FakeSystem::onDisk);
    int exitCode = -1;
    {
      FileSizeLimit limit(2048);
      ASSERT_TRUE(limit.set());
      exitCode = runProgram(device, system);
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(device.keysLeft(), 0u);
    EXPECT_TRUE(showsGeneralHalt(device.screen(), 61));
    if (earlier) {
      EXPECT_EQ(namesIn(archive), std::vector<std::string>{"Jan-01-M.txt"});
      EXPECT_EQ(contentOf(archive / "Jan-01-M.txt"), earlierSet);
    } else {
      EXPECT_TRUE(namesIn(archive).empty());
    }
    EXPECT_EQ(contentOf(folder.path() / "KVELD.INI"), settings);
  }
}

// The same set fits when the limit is larger than the file: the limit
// itself is not what ends the run above.
TEST(DiskFull, TheSetFitsBelowAGenerousLimit) {
  NoWineDrives noWine;
  TempFolder folder;
  const fs::path archive = folder.path() / "DF" / "DEALAR~1";
  fs::create_directories(archive);
  std::ofstream("KVELD.INI", std::ios::binary)
      << "DeepFinesseDirectory=" << programPath(folder.path() / "DF") << "\r\nExecutableFile=DF.EXE\r\n";
  ScriptedConsole device(keys::typed("1000100006\r"));
  device.addKeys({keys::enter, keys::enter, "n"});
  FakeSystem system(FakeSystem::onDisk);
  int exitCode = -1;
  {
    FileSizeLimit limit(1 << 20);
    ASSERT_TRUE(limit.set());
    exitCode = runProgram(device, system);
  }
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(namesIn(archive), std::vector<std::string>{"Jan-01-M.txt"});
  EXPECT_GT(fs::file_size(archive / "Jan-01-M.txt"), 2048u);
}

}  // namespace
}  // namespace kveld
