// Settings files that are no regular files, on POSIX: they count as invalid
// settings at once, without waiting on them or reading them to no end.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/program.h"
#include "settings/ini_file.h"
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
