#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/program.h"
#include "testing/scripted_console.h"
#include "testing/temp_folder.h"
#include "testing/program_parts.h"

namespace kveld {
namespace {

struct SettingsFileTest : ::testing::Test, ProgramParts<> {
  std::string fileBytes() {
    std::ifstream in("KVELD.INI", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void putFile(const std::string& bytes) { std::ofstream("KVELD.INI", std::ios::binary) << bytes; }
  TempFolder folder;
};

TEST_F(SettingsFileTest, MissingFileRaisesFileNotFound) {
  try {
    readSettings(program);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number(), err::kFileNotFound);
  }
  EXPECT_FALSE(std::filesystem::exists("KVELD.INI"));
}

TEST_F(SettingsFileTest, ValidFileReadsAtEveryPassAndInvalidClearsTheFlag) {
  putFile("DeepFinesseDirectory=D:\\Deep Finesse\r\nExecutableFile=DF.EXE\r\n");
  for (int pass = 0; pass < 2; ++pass) {
    program.settingsValid = false;
    readSettings(program);
    EXPECT_TRUE(program.settingsValid);
    EXPECT_EQ(program.settings.dfDirectory, "D:\\Deep Finesse");
    EXPECT_EQ(program.settings.dfExecutable, "DF.EXE");
  }
  // The file is closed after each read: it can be replaced and removed.
  putFile("");
  readSettings(program);
  EXPECT_FALSE(program.settingsValid);
  std::filesystem::remove("KVELD.INI");
  EXPECT_FALSE(std::filesystem::exists("KVELD.INI"));
}

// Two lines are all a settings file holds; a file that has not ended its
// second line within 64 KiB is no settings file, whatever follows.
TEST_F(SettingsFileTest, AFileThatRunsOnPastAnyPathIsInvalid) {
  const std::string line2 = "\r\nExecutableFile=DF.EXE\r\n";
  const std::string key = "DeepFinesseDirectory=C:\\";
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {key + std::string(64 * 1024 - key.size() - 24, 'd') + line2, true},  // its second CR is byte 65536
      {key + std::string(64 * 1024 - key.size() - 23, 'd') + line2, false},
      {key + std::string(200000, 'd') + line2, false},
      {key + "DF" + line2 + std::string(200000, 'x'), true},  // what follows the two lines is not read
  };
  for (const auto& c : cases) {
    putFile(c.bytes);
    readSettings(program);
    EXPECT_EQ(program.settingsValid, c.valid) << c.bytes.size();
  }
}

TEST_F(SettingsFileTest, WrittenFileReadsBackAndHoldsExactlyTheTwoLines) {
  putFile(std::string(500, 'x'));  // a longer earlier file leaves nothing behind
  const std::vector<Settings> all = {
      {"C:\\DF", "DF.EXE"}, {"E:\\Programs\\Deep Finesse ", "DFV2.EXE"}, {"Z:", "D.EXE"}};
  for (const Settings& s : all) {
    writeSettings(program, s);
    const std::string bytes = fileBytes();
    EXPECT_EQ(bytes.size(), 40 + s.dfDirectory.size() + s.dfExecutable.size());
    EXPECT_EQ(bytes,
              "DeepFinesseDirectory=" + s.dfDirectory + "\r\nExecutableFile=" + s.dfExecutable + "\r\n");
    program.settings = {};
    readSettings(program);
    EXPECT_TRUE(program.settingsValid);
    EXPECT_EQ(program.settings.dfDirectory, s.dfDirectory);
    EXPECT_EQ(program.settings.dfExecutable, s.dfExecutable);
  }
}

TEST_F(SettingsFileTest, ReadOnlyFileCannotBeWritten) {
  putFile("old");
  std::filesystem::permissions("KVELD.INI", std::filesystem::perms::owner_read |
                                                std::filesystem::perms::group_read |
                                                std::filesystem::perms::others_read);
  try {
    writeSettings(program, {"C:\\DF", "DF.EXE"});
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number(), err::kPermissionDenied);
  }
  std::filesystem::permissions("KVELD.INI", std::filesystem::perms::owner_all);
  EXPECT_EQ(fileBytes(), "old");
}

}  // namespace
}  // namespace kveld
