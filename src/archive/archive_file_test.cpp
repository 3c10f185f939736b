#include "archive/archive_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

#include "core/program.h"
#include "rules/archive_text.h"
#include "rules/dealer.h"
#include "platform/paths.h"
#include "testing/scripted_console.h"
#include "testing/program_path.h"
#include "testing/recording_system.h"
#include "testing/temp_folder.h"
#include "testing/program_parts.h"
#include "testing/file_content.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

struct ArchiveFileTest : ::testing::Test, ProgramParts<> {
  ArchiveFileTest() {
    program.params.monthNumber = 1;
    program.params.dayOfMonth = 1;
    program.params.yearNumber = 1;
    program.params.sessionNumber = 1;
    program.params.boardCount = 24;
    program.deals.hold(dealSet(program.params));
    program.settings.dfDirectory = programPath(folder.path());
    fs::create_directory(archive);
  }
  NoWineDrives noWine;
  TempFolder folder;
  fs::path archive = folder.path() / "DEALAR~1";
};

TEST_F(ArchiveFileTest, ProgressLineNamesTheFileWithoutErasingTheBody) {
  kit.setColour(yellow, blue);
  kit.printAt(30, 8, "Shuffling boards...");
  kit.setColour(white, magenta);
  nameArchiveFile(program);
  // Shown at once: the file is written next, before any wait.
  const ScreenModel& s = device.screen();
  EXPECT_EQ(textAt(s, 28, 11, 26), "Printing to file: Jan-01-M");
  EXPECT_TRUE(allAttr(s, 28, 11, 18, yellow + 16 * blue));
  EXPECT_TRUE(allAttr(s, 46, 11, 8, lightCyan + 16 * blue));
  EXPECT_EQ(textAt(s, 54, 11, 1), " ");
  EXPECT_EQ(textAt(s, 30, 8, 19), "Shuffling boards...");
  EXPECT_FALSE(s.cursorVisible);
  EXPECT_EQ(s.cursorColumn, 54);
  EXPECT_EQ(kit.foreground(), yellow);
  EXPECT_EQ(kit.background(), blue);
  EXPECT_EQ(program.archiveBaseName, "Jan-01-M");
  EXPECT_EQ(program.archiveFileName, "Jan-01-M.txt");
  EXPECT_EQ(program.archivePath, program.settings.dfDirectory + "\\DEALAR~1\\Jan-01-M.txt");
}

TEST_F(ArchiveFileTest, WritesTheSetAndReplacesALongerEarlierFile) {
  std::ofstream(archive / "Jan-01-M.txt", std::ios::binary) << std::string(100000, 'x');
  std::ofstream(archive / "Jan-01-A.txt", std::ios::binary) << "another set";
  nameArchiveFile(program);
  writeArchiveFile(program);
  EXPECT_EQ(contentOf(archive / "Jan-01-M.txt"), archiveText(archiveHeader(program.params), program.deals.set(program.params.boardCount)));
  EXPECT_EQ(contentOf(archive / "Jan-01-A.txt"), "another set");
  EXPECT_EQ(namesIn(archive), (std::vector<std::string>{"Jan-01-A.txt", "Jan-01-M.txt"}));

  program.params.boardCount = 36;  // a second set of the same name
  writeArchiveFile(program);
  EXPECT_EQ(contentOf(archive / "Jan-01-M.txt"), archiveText(archiveHeader(program.params), program.deals.set(program.params.boardCount)));
  EXPECT_EQ(namesIn(archive).size(), 2u);
}

TEST_F(ArchiveFileTest, FailuresLeaveTheFolderAsItWas) {
  const std::string earlier = "an earlier set\r\n";
  const struct {
    const char* name;
    int error;
    std::function<void()> prepare;
  } cases[] = {
      {"archive folder gone", err::kPathNotFound, [&] { fs::remove_all(archive); }},
      {"read-only file of that name", err::kPermissionDenied,
       [&] {
         std::ofstream(archive / "Jan-01-M.txt", std::ios::binary) << earlier;
         fs::permissions(archive / "Jan-01-M.txt",
                         fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       }},
      {"folder of that name", err::kPermissionDenied,
       [&] {
         fs::create_directory(archive / "Jan-01-M.txt");
         std::ofstream(archive / "Jan-01-M.txt" / "inside", std::ios::binary) << earlier;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(archive);
    fs::create_directory(archive);
    c.prepare();
    const bool hadFolder = fs::exists(archive);
    const auto before = hadFolder ? namesIn(archive) : std::vector<std::string>{};
    nameArchiveFile(program);
    try {
      writeArchiveFile(program);
      ADD_FAILURE() << "no error";
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.number(), c.error) << e.what();
    }
    EXPECT_EQ(fs::exists(archive), hadFolder);
    if (hadFolder) {
      EXPECT_EQ(namesIn(archive), before);
    }
    if (fs::is_regular_file(archive / "Jan-01-M.txt")) {
      EXPECT_EQ(contentOf(archive / "Jan-01-M.txt"), earlier);
      fs::permissions(archive / "Jan-01-M.txt", fs::perms::owner_all);
    }
  }
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"DEALAR~1"});
}

TEST_F(ArchiveFileTest, FolderWithACharacterWindowsForbidsIsAnAccessError) {
  program.settings.dfDirectory += "\\WH?T";
  nameArchiveFile(program);
  try {
    writeArchiveFile(program);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number(), err::kPathFileAccess) << e.what();
  }
  EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"DEALAR~1"});
}

}  // namespace
}  // namespace kveld
