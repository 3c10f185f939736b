// Failures met by the whole program with real files in a temporary folder,
// and the screens the handler leaves for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "app/main_flow.h"
#include "testing/failing_system.h"
#include "testing/program_path.h"
#include "testing/recording_system.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"
#include "testing/temp_folder.h"
#include "testing/file_content.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

void writeTo(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

// A temporary current folder with valid settings naming a DeepFinesse
// folder that has its executable and its archive folder.
struct Installed {
  Installed() {
    fs::create_directories(archiveFolder());
    writeTo(folder.path() / "DF" / "DF.EXE", "MZ");
    settings = "DeepFinesseDirectory=" + dfDirectory() + "\r\nExecutableFile=DF.EXE\r\n";
    writeTo(ini(), settings);
  }
  ~Installed() {
    // Read-only files would outlive the folder's removal on Windows.
    std::error_code ec;
    for (const fs::path& f : {ini(), archiveFile()}) fs::permissions(f, fs::perms::owner_all, ec);
  }
  std::string dfDirectory() const { return programPath(folder.path() / "DF"); }
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

// The whole program; setup's listing finds the installation when there is one.
struct WholeRun {
  explicit WholeRun(std::vector<std::string> keys) : device(std::move(keys)) {}
  WholeRun(std::vector<std::string> keys, const Installed& installed) : WholeRun(std::move(keys)) {
    real.dfDirectory = installed.dfDirectory();
  }
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
  return showsAt(s, 10, 4, "SETUP needs to establish a link to the DeepFinesse program.");
}

// Every file under a folder with its bytes, and every folder.
std::map<fs::path, std::string> filesUnder(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    files[e.path()] = e.is_directory() ? "(a folder)" : contentOf(e.path());
  return files;
}

TEST(FailurePaths, FirstRunWithoutSettingsShowsTheNoticeCreatesTheFileAndRunsSetup) {
  Installed installed;
  fs::remove(installed.ini());
  std::vector<std::string> k = {"k", keys::enter, "k"};
  for (const std::string& key : oneSet()) k.push_back(key);
  k.push_back(keys::enter);
  k.push_back("n");
  WholeRun run(k, installed);
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  const auto& at = run.device.screensAtKeys();
  ASSERT_GE(at.size(), 2u);
  EXPECT_TRUE(showsSettingsNotice(at[0]));
  EXPECT_TRUE(showsDrivePrompt(at[1]));
  ASSERT_GE(run.system.calls.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(run.system.calls.begin(), run.system.calls.begin() + 3),
            (std::vector<std::string>{"readFile KVELD.INI", "writeFile KVELD.INI", "readFile KVELD.INI"}));
  EXPECT_EQ(contentOf(installed.ini()), installed.settings);
  EXPECT_TRUE(fs::is_regular_file(installed.archiveFile()));
}

using ScreenCheck = ::testing::AssertionResult (*)(const ScreenModel&);
::testing::AssertionResult showsHalt70(const ScreenModel& s) { return showsGeneralHalt(s, 70); }

// A file the program cannot write, or a folder name Windows refuses: the run
// ends in the screen for it and leaves every file as it was. The general
// halt does not discard a key typed before it appeared (here, while the set
// was dealt and written): that key ends the program at once.
TEST(FailurePaths, FilesThatCannotBeWrittenEndInTheirScreens) {
  struct Case {
    const char* what;
    void (*fault)(Installed&);
    std::vector<std::string> keys;
    ScreenCheck shows;
    bool keyTypedAheadEnds;
  };
  std::vector<std::string> setKeys = oneSet();
  setKeys.push_back("k");
  const Case cases[] = {
      {"KVELD.INI read-only when setup writes it",
       [](Installed& i) {
         writeTo(i.ini(), "ExecutableFile=DF.EXE\r\n");
         fs::permissions(i.ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       {keys::enter, "k"},
       showsHalt70,
       true},
      {"a folder name with a question mark",
       [](Installed& i) {
         writeTo(i.ini(), "DeepFinesseDirectory=" + i.dfDirectory() +
                              "\\D?F\r\n"
                              "ExecutableFile=DF.EXE\r\n");
       },
       setKeys, showsFileAccessError, false},
      {"the archive file of the same name read-only",
       [](Installed& i) {
         writeTo(i.archiveFile(), "an earlier set\r\n");
         fs::permissions(i.archiveFile(),
                         fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       setKeys, showsHalt70, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Installed installed;
    c.fault(installed);
    const auto files = filesUnder(installed.folder.path());
    WholeRun run(c.keys, installed);
    EXPECT_EQ(run.go(), 0);
    EXPECT_EQ(run.device.keysLeft(), 0u);
    EXPECT_TRUE(c.shows(run.device.screen()));
    EXPECT_EQ(filesUnder(installed.folder.path()), files);
    // Whether keys were discarded between the last two keys read.
    const auto& events = run.device.events();
    bool flushed = false;
    for (auto e = events.rbegin() + 1; e != events.rend() && e->kind != ScriptedConsole::Event::key; ++e)
      flushed |= e->kind == ScriptedConsole::Event::flush;
    EXPECT_EQ(flushed, !c.keyTypedAheadEnds);
  }
}

// "N" or Esc ends the run with the settings kept; "Y" or Enter empties
// KVELD.INI and goes on to setup at once (Esc there, then yes, to quit),
// without reading the settings again. Any other key beeps.
TEST(FailurePaths, ArchiveFolderRemovedAsksWhetherToRunSetup) {
  for (const std::string& answer : {std::string("n"), keys::esc, std::string("y"), keys::enter}) {
    SCOPED_TRACE(answer);
    const bool setup = answer == "y" || answer == keys::enter;
    Installed installed;
    fs::remove_all(installed.archiveFolder());
    std::vector<std::string> k = oneSet();
    k.push_back("x");
    k.push_back(answer);
    if (setup) k.insert(k.end(), {keys::esc, "y"});
    WholeRun run(k, installed);
    EXPECT_EQ(run.go(), 0);
    EXPECT_EQ(run.device.keysLeft(), 0u);
    const auto& at = run.device.screensAtKeys();
    ASSERT_EQ(at.size(), k.size());
    const std::size_t question = oneSet().size();
    EXPECT_TRUE(showsArchiveFolderQuestion(at[question]));
    EXPECT_EQ(at[question + 1], at[question]);
    const std::vector<std::string> sounds = run.device.sounds();
    ASSERT_GE(sounds.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(sounds.begin(), sounds.begin() + 2),
              (std::vector<std::string>{"beep2", "beep2"}));
    EXPECT_EQ(contentOf(installed.ini()), setup ? "" : installed.settings);
    EXPECT_TRUE(fs::exists(installed.ini()));
    EXPECT_EQ(run.readsOfTheSettings(), 1);
    if (setup) {
      EXPECT_TRUE(showsDrivePrompt(at[question + 2]));
    } else {
      EXPECT_EQ(sounds.size(), 2u);
    }
    EXPECT_FALSE(fs::exists(installed.archiveFolder()));
  }
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
    EXPECT_TRUE(showsSettingsNotice(run.device.screensAtKeys().at(12)));
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
    EXPECT_TRUE(showsFileAccessError(run.device.screen()));
    EXPECT_EQ(contentOf(installed.ini()), installed.settings);
  }
}

}  // namespace
}  // namespace kveld
