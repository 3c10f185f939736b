#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/program.h"
#include "platform/scripted_console.h"
#include "testing/recording_system.h"
#include "testing/temp_folder.h"
#include "testing/program_parts.h"

namespace kveld {
namespace {

struct Case {
  const char* name;
  std::string bytes;
  bool valid;
  std::string directory;
  std::string executable;
};

TEST(SettingsText, ReadingRules) {
  const std::string good = "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n";
  const std::vector<Case> cases = {
      {"as written", good, true, "C:\\DF", "DF.EXE"},
      {"empty file", "", false, "", ""},
      {"one byte", "D", false, "", ""},
      {"two bytes, no key", "D\r", false, "", ""},
      {"lines separated by LF only",
       "DeepFinesseDirectory=C:\\DF\nExecutableFile=DF.EXE\r\n", false,
       "C:\\DF\nExecutableFile=DF.EXE", ""},
      {"lines in the other order", "ExecutableFile=DF.EXE\r\nDeepFinesseDirectory=C:\\DF\r\n", false,
       "", ""},
      {"directory key in lower case",
       "deepfinessedirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n", false, "", ""},
      {"executable key in another case",
       "DeepFinesseDirectory=C:\\DF\r\nexecutablefile=DF.EXE\r\n", false, "C:\\DF", ""},
      {"text before the key, blanks after the folder",
       "; where it is: DeepFinesseDirectory=C:\\DF  \r\nExecutableFile=DF.EXE\r\n", true,
       "C:\\DF  ", "DF.EXE"},
      {"first occurrence of the key counts",
       "DeepFinesseDirectory=A DeepFinesseDirectory=B\r\nExecutableFile=X ExecutableFile=Y\r\n", true,
       "A DeepFinesseDirectory=B", "X ExecutableFile=Y"},
      {"third line and trailing bytes ignored", good + "Junk=1\r\n\x1a\xff rubbish", true, "C:\\DF",
       "DF.EXE"},
      {"Ctrl-Z inside line 1", "DeepFinesseDirectory=C:\\D\x1a" "F\r\nExecutableFile=DF.EXE\r\n", false,
       "C:\\D", ""},
      {"Ctrl-Z inside line 2 ends the value", "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF\x1a.EXE\r\n",
       true, "C:\\DF", "DF"},
      {"Ctrl-Z first", "\x1a" + good, false, "", ""},
      {"only line 1", "DeepFinesseDirectory=C:\\DF\r\n", false, "C:\\DF", ""},
      {"only line 1, no line end", "DeepFinesseDirectory=C:\\DF", false, "C:\\DF", ""},
      {"no line end after line 2", "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE", true, "C:\\DF",
       "DF.EXE"},
      {"CR alone ends lines", "DeepFinesseDirectory=C:\\DF\rExecutableFile=DF.EXE\r", true, "C:\\DF",
       "DF.EXE"},
      {"only the first LF after CR is skipped", "DeepFinesseDirectory=C:\\DF\r\n\nExecutableFile=DF.EXE\r\n",
       true, "C:\\DF", "DF.EXE"},
      {"empty line 1", "\r\nDeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n", false, "", ""},
      {"key without folder", "DeepFinesseDirectory=\r\nExecutableFile=DF.EXE\r\n", false, "", ""},
      {"key without program", "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=\r\n", false, "C:\\DF", ""},
      {"empty line 2", "DeepFinesseDirectory=C:\\DF\r\n\r\nExecutableFile=DF.EXE\r\n", false, "C:\\DF", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SettingsText t = parseSettingsText(c.bytes);
    EXPECT_EQ(t.valid, c.valid);
    EXPECT_EQ(t.settings.dfDirectory, c.directory);
    EXPECT_EQ(t.settings.dfExecutable, c.executable);
  }
}

struct SettingsFileTest : ::testing::Test, ProgramParts<> {
  SettingsFileTest() { initProgramTables(tables); }
  std::string fileBytes() {
    std::ifstream in("KVELD.INI", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void putFile(const std::string& bytes) {
    std::ofstream("KVELD.INI", std::ios::binary) << bytes;
  }
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
    program.settingsValid = 7;
    readSettings(program);
    EXPECT_EQ(program.settingsValid, 1);
    EXPECT_EQ(program.settings.dfDirectory, "D:\\Deep Finesse");
    EXPECT_EQ(program.settings.dfExecutable, "DF.EXE");
  }
  // The file is closed after each read: it can be replaced and removed.
  putFile("");
  readSettings(program);
  EXPECT_EQ(program.settingsValid, 0);
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
    EXPECT_EQ(program.settingsValid, c.valid ? 1 : 0) << c.bytes.size();
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
    EXPECT_EQ(bytes, "DeepFinesseDirectory=" + s.dfDirectory + "\r\nExecutableFile=" + s.dfExecutable + "\r\n");
    program.settings = {};
    readSettings(program);
    EXPECT_EQ(program.settingsValid, 1);
    EXPECT_EQ(program.settings.dfDirectory, s.dfDirectory);
    EXPECT_EQ(program.settings.dfExecutable, s.dfExecutable);
  }
}

TEST_F(SettingsFileTest, ReadOnlyFileCannotBeWritten) {
  putFile("old");
  std::filesystem::permissions("KVELD.INI", std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
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
