// Setup on real drives: a temporary Wine prefix whose C: and E: are
// temporary folders, searched by the program's own drive walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/flow_control.h"
#include "app/main_flow.h"
#include "core/program.h"
#include "platform/paths.h"
#include "rules/archive_text.h"
#include "testing/scripted_console.h"
#include "settings/setup.h"
#include "platform/real_system.h"
#include "testing/temp_folder.h"
#include "testing/wine_drives.h"
#include "testing/program_parts.h"
#include "testing/file_content.h"
#include "testing/gone_process_posix.h"
#include "testing/scratch_files.h"
#include "testing/screen_checks.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

struct SetupOnDrivesTest : ::testing::Test, ProgramParts<ScriptedConsole, RealSystem> {
  SetupOnDrivesTest() {
    c = drives.addDrive('c');
    e = drives.addDrive('e');
  }
  // Runs setup with the keys; false when it ended the program.
  bool run(const std::vector<std::string>& keys) {
    device.addKeys(keys);
    kit.drawTitleScreen();
    try {
      runSetup(program);
    } catch (const EndProgram&) {
      return false;
    }
    EXPECT_EQ(device.keysLeft(), 0u);
    return true;
  }
  static void install(const fs::path& drive, const std::string& folder,
                      const std::string& archive = "DEALAR~1") {
    WineDrives::folder(drive, folder + "/" + archive);
    WineDrives::file(drive, folder + "/dfinesse.exe");
  }

  WineDrives drives;
  fs::path c, e;
  TempFolder here;
};

TEST_F(SetupOnDrivesTest, InstallationsFoundOnTheDriveChosen) {
  struct Case {
    const char* what;
    std::vector<std::string> installs;  // on E:, "folder|archive name"
    std::vector<std::string> keys;
    std::size_t found;
    std::string directory;  // empty: the program ended
  } cases[] = {
      {"none", {}, {"e", keys::enter, "x"}, 0, ""},
      {"one, by its long name",
       {"Games/DeepFinesse|Deal Archive"},
       {"D", "E", keys::enter, "x"},
       1,
       "E:\\Games\\DeepFinesse"},
      {"the path holds \\deal", {"deals/DF|dealar~1"}, {"e", keys::enter, "x"}, 1, "E:\\deals\\DF"},
      {"three, the second chosen",
       {"A|DEALAR~1", "B|DEALAR~1", "C|DEALAR~1"},
       {"e", keys::enter, "2", "x"},
       3,
       "E:\\B"},
      {"eleven, the tenth chosen",
       {"F01|DEALAR~1", "F02|DEALAR~1", "F03|DEALAR~1", "F04|DEALAR~1", "F05|DEALAR~1", "F06|DEALAR~1",
        "F07|DEALAR~1", "F08|DEALAR~1", "F09|DEALAR~1", "F10|DEALAR~1", "F11|DEALAR~1"},
       {"e", keys::enter, "0", "x"},
       10,
       "E:\\F10"},
  };
  for (const Case& tc : cases) {
    WineDrives local;
    const fs::path drive = local.addDrive('e');
    local.addDrive('c');
    for (const std::string& entry : tc.installs) {
      const std::size_t bar = entry.find('|');
      install(drive, entry.substr(0, bar), entry.substr(bar + 1));
    }
    ScriptedConsole dev(tc.keys);
    ConsoleKit k(dev, tables);
    RealSystem sys;
    Program p(tables, k, sys);
    bool returned = true;
    try {
      runSetup(p);
    } catch (const EndProgram&) {
      returned = false;
    }
    EXPECT_EQ(returned, !tc.directory.empty()) << tc.what;
    EXPECT_EQ(static_cast<std::size_t>(p.foundCount), tc.found) << tc.what;
    EXPECT_EQ(p.settings.dfDirectory, tc.directory) << tc.what;
    EXPECT_EQ(p.driveSpec, "E:") << tc.what;
    EXPECT_TRUE(scratchFilesIn(here.path()).empty()) << tc.what;
    if (returned) {
      EXPECT_EQ(contentOf(here.path() / "KVELD.INI"),
                "DeepFinesseDirectory=" + tc.directory + "\r\nExecutableFile=DFINESSE.EXE\r\n")
          << tc.what;
      fs::remove(here.path() / "KVELD.INI");
    } else {
      EXPECT_EQ(textAt(dev.screensAtKeys().back(), 9, 22, 64),
                " DeepFinesse program files not found on Drive E. Program halted ");
      EXPECT_FALSE(fs::exists(here.path() / "KVELD.INI"));
    }
  }
}

TEST_F(SetupOnDrivesTest, EnterSearchesDriveC) {
  install(c, "Program Files/DeepFinesse", "Deal Archive");
  install(e, "Other");
  ASSERT_TRUE(run({keys::enter, "x"}));
  EXPECT_EQ(program.settings.dfDirectory, "C:\\Program Files\\DeepFinesse");
}

TEST_F(SetupOnDrivesTest, LongPathIsShownShortenedAndStoredWhole) {
  // "E:\" and 58 characters: 61 before "\Deal Archive"; beside it one of 60.
  const std::string p61 = std::string(29, 'a') + "/" + std::string(28, 'b');
  const std::string p60 = std::string(29, 'a') + "/" + std::string(27, 'c');
  install(e, p61, "Deal Archive");
  install(e, p60, "DEALAR~1");
  ASSERT_TRUE(run({"e", keys::enter, "1", "x"}));
  const std::string full61 = "E:\\" + std::string(29, 'a') + "\\" + std::string(28, 'b');
  const std::string full60 = "E:\\" + std::string(29, 'a') + "\\" + std::string(27, 'c');
  ASSERT_EQ(full61.size(), 61u);
  const ScreenModel& choice = device.screensAtKeys().at(2);
  EXPECT_EQ(textAt(choice, 14, 12, 61), full61.substr(0, 57) + "... ");
  EXPECT_EQ(textAt(choice, 14, 13, 61), full60 + " ");
  EXPECT_EQ(program.settings.dfDirectory, full61);
  EXPECT_EQ(contentOf(here.path() / "KVELD.INI"),
            "DeepFinesseDirectory=" + full61 + "\r\nExecutableFile=DFINESSE.EXE\r\n");
}

TEST_F(SetupOnDrivesTest, ArchiveFolderReachedThroughItsShortName) {
  install(e, "Games/DeepFinesse", "Deal Archive");
  ASSERT_TRUE(run({"e", keys::enter, "x"}));
  // The settings hold the installation; the archive file's path names the
  // archive folder by its short name and lands in "Deal Archive".
  const std::string archivePath =
      program.settings.dfDirectory + "\\" + std::string(kArchiveFolderName) + "\\Jan-01-M.txt";
  system.writeFile(archivePath, "deals\r\n");
  EXPECT_EQ(contentOf(e / "Games/DeepFinesse/Deal Archive/Jan-01-M.txt"), "deals\r\n");
}

// Another copy of the program setting up in the same folder at the same
// time has its own scratch file: this setup neither reads nor removes it.
// The scratch file of a run that was killed (its process is gone) goes.
TEST_F(SetupOnDrivesTest, ScratchFilesOfKilledRunsGoAndOthersStay) {
  install(e, "DF");
  const std::string running = "df_find" + runningProcessNumber();
  for (const std::string& name : {std::string("df_find"), running, "df_find" + goneProcessNumber()})
    std::ofstream(here.path() / name, std::ios::binary) << "E:\\Other\\DEALAR~1\r\n";
  EXPECT_TRUE(run({"e", keys::enter, "x"}));
  EXPECT_EQ(program.settings.dfDirectory, "E:\\DF");
  EXPECT_EQ(contentOf(here.path() / "df_find"), "E:\\Other\\DEALAR~1\r\n");
  auto left = scratchFilesIn(here.path());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"df_find", running}));
}

TEST_F(SetupOnDrivesTest, MissingExecutableHalts) {
  WineDrives::folder(e, "DF/DEALAR~1");
  WineDrives::folder(e, "DF/dfolder.exe");
  WineDrives::file(e, "DF/setup.exe");
  EXPECT_FALSE(run({"e", keys::enter, "x"}));
  EXPECT_EQ(textAt(device.screensAtKeys().back(), 14, 22, 57),
            " DeepFinesse executable file not found.  Program halted. ");
  EXPECT_FALSE(fs::exists(here.path() / "KVELD.INI"));
  EXPECT_TRUE(scratchFilesIn(here.path()).empty());
}

TEST_F(SetupOnDrivesTest, ADriveWithoutALinkFindsNothing) {
  install(e, "DF");
  EXPECT_FALSE(run({"g", keys::enter, "x"}));
  EXPECT_EQ(textAt(device.screensAtKeys().back(), 9, 22, 64),
            " DeepFinesse program files not found on Drive G. Program halted ");
  EXPECT_TRUE(scratchFilesIn(here.path()).empty());
}

TEST_F(SetupOnDrivesTest, AnIncompleteSettingsFileLeadsTheProgramIntoSetup) {
  const std::string incomplete = "DeepFinesseDirectory=E:\\DF\r\n";
  std::ofstream(here.path() / "KVELD.INI", std::ios::binary) << incomplete;
  ScriptedConsole console({"e", keys::esc, "y"});
  EXPECT_EQ(runProgram(console, system), 0);
  EXPECT_EQ(textAt(console.screensAtKeys().at(0), 10, 4, 59),
            "SETUP needs to establish a link to the DeepFinesse program.");
  EXPECT_TRUE(showsQuitQuestion(console.screensAtKeys().at(2)));
  EXPECT_EQ(contentOf(here.path() / "KVELD.INI"), incomplete);
}

}  // namespace
}  // namespace kveld
