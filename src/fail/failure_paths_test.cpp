// Failures met by the whole program with real files in a temporary folder,
// and the screens the handler leaves for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_flow.h"
#include "core/program_tables.h"
#include "fail/error_handler.h"
#include "testing/scripted_console.h"
#include "testing/failing_system.h"
#include "testing/failure_screens.h"
#include "testing/program_path.h"
#include "testing/recording_system.h"
#include "testing/temp_folder.h"
#include "testing/file_content.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

void writeTo(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// A temporary current folder with valid settings naming a DeepFinesse
// folder that has its archive folder.
struct Installed {
  Installed() {
    fs::create_directories(archiveFolder());
    settings = "DeepFinesseDirectory=" + programPath(folder.path() / "DF") + "\r\nExecutableFile=DF.EXE\r\n";
    writeTo(ini(), settings);
  }
  ~Installed() {
    // Read-only files would outlive the folder's removal on Windows.
    std::error_code ec;
    for (const fs::path& f : {ini(), archiveFile()}) fs::permissions(f, fs::perms::owner_all, ec);
  }
  fs::path ini() const { return folder.path() / "KVELD.INI"; }
  fs::path archiveFolder() const { return folder.path() / "DF" / "DEALAR~1"; }
  fs::path archiveFile() const { return archiveFolder() / "Jan-01-M.txt"; }

  NoWineDrives noWine;
  TempFolder folder;
  std::string settings;
};

// The keys of one set up to the writing of its archive file: the control
// string and yes to Board 1.
std::vector<std::string> oneSet() {
  std::vector<std::string> k = keys::typed("1000100006\r");
  k.push_back(keys::enter);
  return k;
}

// Real files; the walk of a drive for setup's listing stands aside for a
// listing that names the test's own installation, as the walk of a drive
// holding it would.
class OneInstallation : public RecordingSystem {
 public:
  void listArchiveFolders(const std::string& driveSpec, const std::string& scratchFile) override {
    if (dfDirectory.empty()) return RecordingSystem::listArchiveFolders(driveSpec, scratchFile);
    writeFile(scratchFile, dfDirectory + "\\DEALAR~1\r\n");
  }
  std::string dfDirectory;
};

struct WholeRun {
  explicit WholeRun(std::vector<std::string> keys) : device(std::move(keys)) {}
  int go() { return runProgram(device, system); }
  int readsOfTheSettings() const {
    int reads = 0;
    for (const std::string& c : system.calls) reads += c == "readFile KVELD.INI";
    return reads;
  }
  ScriptedConsole device;
  OneInstallation real;
  FailingSystem system{real};
};

bool showsDrivePrompt(const ScreenModel& s) {
  return textAt(s, 10, 4, 59) == "SETUP needs to establish a link to the DeepFinesse program.";
}

TEST(FailurePaths, FirstRunWithoutSettingsShowsTheNoticeCreatesTheFileAndRunsSetup) {
  Installed installed;
  fs::remove(installed.ini());
  writeTo(installed.folder.path() / "DF" / "DF.EXE", "MZ");
  std::vector<std::string> k = {"k", keys::enter, "k"};
  for (const std::string& key : oneSet()) k.push_back(key);
  k.push_back(keys::enter);
  k.push_back("n");
  WholeRun run(k);
  run.real.dfDirectory = programPath(installed.folder.path() / "DF");
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  const auto& at = run.device.screensAtKeys();
  ASSERT_GE(at.size(), 2u);
  // The title screen leaves light red on blue current: the body is erased in it.
  EXPECT_TRUE(sameScreen(at[0], failureScreens::settingsNotice(lightRed + 16 * blue)));
  EXPECT_TRUE(showsDrivePrompt(at[1]));
  ASSERT_GE(run.system.calls.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(run.system.calls.begin(), run.system.calls.begin() + 3),
            (std::vector<std::string>{"readFile KVELD.INI", "writeFile KVELD.INI", "readFile KVELD.INI"}));
  EXPECT_EQ(contentOf(installed.ini()), installed.settings);
  EXPECT_TRUE(fs::is_regular_file(installed.archiveFile()));
}

TEST(FailurePaths, ReadOnlySettingsFileWhenSetupWritesItHaltsWithSeventy) {
  Installed installed;
  writeTo(installed.folder.path() / "DF" / "DF.EXE", "MZ");
  const std::string incomplete = "ExecutableFile=DF.EXE\r\n";
  writeTo(installed.ini(), incomplete);
  fs::permissions(installed.ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  WholeRun run({keys::enter, "k"});
  run.real.dfDirectory = programPath(installed.folder.path() / "DF");
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  ASSERT_EQ(run.device.screensAtKeys().size(), 2u);
  EXPECT_TRUE(showsDrivePrompt(run.device.screensAtKeys()[0]));
  EXPECT_TRUE(sameScreen(run.device.screen(), failureScreens::generalHalt(70)));
  EXPECT_EQ(textAt(run.device.screen(), 28, 12, 21), " ERROR: 70 , LINE: 0 ");
  EXPECT_EQ(contentOf(installed.ini()), incomplete);
}

TEST(FailurePaths, FolderWithAQuestionMarkShowsTheFileAccessError) {
  Installed installed;
  const std::string settings = "DeepFinesseDirectory=" + programPath(installed.folder.path() / "DF") +
                               "\\D?F\r\nExecutableFile=DF.EXE\r\n";
  writeTo(installed.ini(), settings);
  std::vector<std::string> k = oneSet();
  k.push_back("k");
  WholeRun run(k);
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  EXPECT_TRUE(sameScreen(run.device.screen(), failureScreens::fileAccessError(yellow + 16 * blue)));
  EXPECT_EQ(contentOf(installed.ini()), settings);
  EXPECT_TRUE(fs::is_empty(installed.archiveFolder()));
}

TEST(FailurePaths, ReadOnlyArchiveFileOfTheSameNameHaltsWithSeventy) {
  Installed installed;
  writeTo(installed.archiveFile(), "an earlier set\r\n");
  fs::permissions(installed.archiveFile(),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::vector<std::string> k = oneSet();
  k.push_back("k");
  WholeRun run(k);
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  EXPECT_TRUE(sameScreen(run.device.screen(), failureScreens::generalHalt(70)));
  EXPECT_EQ(textAt(run.device.screen(), 28, 12, 21), " ERROR: 70 , LINE: 0 ");
  EXPECT_EQ(contentOf(installed.archiveFile()), "an earlier set\r\n");
  EXPECT_EQ(contentOf(installed.ini()), installed.settings);
}

// The halt waits for a key without discarding the ones typed before it, so
// a key typed while the set was dealt and written ends the program.
TEST(FailurePaths, KeyTypedBeforeTheHaltEndsTheProgramAtOnce) {
  Installed installed;
  writeTo(installed.archiveFile(), "an earlier set\r\n");
  fs::permissions(installed.archiveFile(), fs::perms::owner_read);
  std::vector<std::string> k = oneSet();
  k.push_back("x");
  WholeRun run(k);
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  const auto& events = run.device.events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events.back().text, "x");
  for (auto e = events.rbegin() + 1; e != events.rend() && e->kind != ScriptedConsole::Event::key; ++e)
    EXPECT_NE(e->kind, ScriptedConsole::Event::flush);
  EXPECT_EQ(textAt(run.device.screen(), 28, 12, 21), " ERROR: 70 , LINE: 0 ");
}

TEST(FailurePaths, ArchiveFolderRemovedAndNoEndsWithTheSettingsKept) {
  for (const std::string& answer : {std::string("n"), keys::esc}) {
    Installed installed;
    fs::remove_all(installed.archiveFolder());
    std::vector<std::string> k = oneSet();
    k.push_back("x");  // not an answer: beep2
    k.push_back(answer);
    WholeRun run(k);
    EXPECT_EQ(run.go(), 0);
    EXPECT_EQ(run.device.keysLeft(), 0u);
    const auto& at = run.device.screensAtKeys();
    ASSERT_GE(at.size(), 2u);
    EXPECT_TRUE(sameScreen(at[at.size() - 2], failureScreens::archiveFolderQuestion(yellow + 16 * blue)));
    EXPECT_EQ(at[at.size() - 1], at[at.size() - 2]);
    EXPECT_EQ(run.device.sounds(), (std::vector<std::string>{"beep2", "beep2"}));
    EXPECT_EQ(contentOf(installed.ini()), installed.settings);
    EXPECT_FALSE(fs::exists(installed.archiveFolder()));
  }
}

// "Y" empties KVELD.INI and goes to setup, which runs at once: Esc there
// opens the quit question.
TEST(FailurePaths, ArchiveFolderRemovedAndYesEmptiesTheSettingsForSetup) {
  for (const std::string& answer : {std::string("y"), keys::enter}) {
    Installed installed;
    fs::remove_all(installed.archiveFolder());
    std::vector<std::string> k = oneSet();
    k.push_back(answer);
    k.push_back(keys::esc);
    k.push_back("y");
    WholeRun run(k);
    EXPECT_EQ(run.go(), 0);
    EXPECT_EQ(run.device.keysLeft(), 0u);
    EXPECT_EQ(contentOf(installed.ini()), "");
    EXPECT_TRUE(fs::exists(installed.ini()));
    // The settings are not read again: setup follows directly.
    EXPECT_EQ(run.readsOfTheSettings(), 1);
    const auto& at = run.device.screensAtKeys();
    ASSERT_GE(at.size(), 3u);
    EXPECT_TRUE(showsDrivePrompt(at[at.size() - 2]));
  }
}

// When the handler cannot create KVELD.INI itself, the run ends in the
// general halt with that failure's number, not in a second round.
TEST(FailurePaths, SettingsFileThatCannotBeCreatedEndsInTheGeneralHalt) {
  TempFolder folder;
  WholeRun run({"k", "k"});
  run.system.failOn(FailingSystem::Op::writeFile, 70, "KVELD.INI", -1);
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  ASSERT_EQ(run.device.screensAtKeys().size(), 2u);
  EXPECT_EQ(textAt(run.device.screensAtKeys()[0], 11, 11, 58),
            "The initialization file KVELD.INI is missing or corrupted.");
  EXPECT_TRUE(sameScreen(run.device.screen(), failureScreens::generalHalt(70)));
  EXPECT_EQ(run.system.calls, (std::vector<std::string>{"readFile KVELD.INI", "writeFile KVELD.INI !"}));
  EXPECT_FALSE(fs::exists(folder.path() / "KVELD.INI"));
}

#ifndef _WIN32
// The same with a real file: KVELD.INI is a link into a folder that does not
// exist, so reading it finds no file, and creating it fails as well.
TEST(FailurePaths, SettingsLinkIntoAMissingFolderEndsInTheGeneralHalt) {
  TempFolder folder;
  fs::create_symlink(folder.path() / "gone" / "KVELD.INI", folder.path() / "KVELD.INI");
  WholeRun run({"k", "k"});
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  const ScreenModel& s = run.device.screen();
  EXPECT_EQ(textAt(s, 27, 14, 25), "Sorry -- program halted. ");
  EXPECT_EQ(textAt(s, 28, 12, 7), " ERROR:");
  EXPECT_EQ(run.system.calls, (std::vector<std::string>{"readFile KVELD.INI", "writeFile KVELD.INI"}));
}
#endif

TEST(FailurePaths, FromTwoFortyOneOnTheRunEndsWith255AndNoScreen) {
  struct Case {
    FailingSystem::Op op;
    std::string subject;
    int number;
    std::vector<std::string> keys;
  };
  const std::vector<Case> cases = {
      {FailingSystem::Op::readFile, "KVELD.INI", 241, {}},
      {FailingSystem::Op::replaceFile, "Jan-01-M.txt", 241, oneSet()},
      {FailingSystem::Op::replaceFile, "Jan-01-M.txt", 300, oneSet()},
  };
  for (const Case& c : cases) {
    Installed installed;
    WholeRun run(c.keys);
    run.system.failOn(c.op, c.number, c.subject);
    const int keysShown = c.keys.empty() ? 0 : static_cast<int>(c.keys.size());
    EXPECT_EQ(run.go(), 255);
    EXPECT_EQ(run.device.keysLeft(), 0u);
    EXPECT_EQ(static_cast<int>(run.device.screensAtKeys().size()), keysShown);
    // What was shown last is the screen before the failure: no halt.
    EXPECT_NE(textAt(run.device.screen(), 28, 12, 7), " ERROR:");
    EXPECT_NE(textAt(run.device.screen(), 27, 14, 25), "Sorry -- program halted. ");
    for (const std::string& s : run.device.sounds()) EXPECT_NE(s, "beep2");
  }
}

// The screen depends on the number alone: a file not found anywhere shows
// the settings notice and empties KVELD.INI; a path/file access error shows
// the file access screen, whatever operation failed.
TEST(FailurePaths, TheNumberAloneChoosesTheScreen) {
  {
    Installed installed;
    std::vector<std::string> k = oneSet();
    k.push_back("k");
    k.push_back(keys::esc);
    k.push_back("y");
    WholeRun run(k);
    run.system.failOn(FailingSystem::Op::replaceFile, 53, "Jan-01-M.txt");
    EXPECT_EQ(run.go(), 0);
    EXPECT_EQ(textAt(run.device.screensAtKeys().at(12), 28, 14, 27), "A new file will be created.");
    EXPECT_TRUE(showsDrivePrompt(run.device.screensAtKeys().at(13)));
    EXPECT_EQ(run.readsOfTheSettings(), 2);
    EXPECT_EQ(contentOf(installed.ini()), "");
  }
  {
    Installed installed;
    std::vector<std::string> k = oneSet();
    k.push_back("k");
    WholeRun run(k);
    run.system.failOn(FailingSystem::Op::replaceFile, 75, "Jan-01-M.txt");
    EXPECT_EQ(run.go(), 0);
    EXPECT_TRUE(sameScreen(run.device.screen(), failureScreens::fileAccessError(yellow + 16 * blue)));
    EXPECT_EQ(contentOf(installed.ini()), installed.settings);
  }
}

}  // namespace
}  // namespace kveld
