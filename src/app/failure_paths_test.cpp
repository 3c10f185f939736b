// Failures met by the whole program with real files in a temporary folder,
// and the screens the handler leaves for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/main_flow.h"
#include "testing/fake_system.h"
#include "testing/installation.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"

namespace kveld {
namespace {

namespace fs = std::filesystem;

void writeTo(const fs::path& file, const std::string& bytes) { Installation::write(file, bytes); }

// The keys of one set up to the writing of its archive file: the control
// string and yes to Board 1.
std::vector<std::string> oneSet() {
  std::vector<std::string> k = keys::typed("1000100006\r");
  k.push_back(keys::enter);
  return k;
}

// A console that cannot be prepared when `openFailure` is set: the first
// failure a run can meet.
class Console : public ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  void open(const std::string& title) override {
    if (openFailure != 0) throw RunTimeError(openFailure, "the console cannot be set to 80 x 25");
    ScriptedConsole::open(title);
  }
  int openFailure = 0;
};

// The whole program over the real files; setup's listing names the
// installation when there is one.
struct WholeRun {
  explicit WholeRun(std::vector<std::string> keys) : device(std::move(keys)) {}
  WholeRun(std::vector<std::string> keys, const Installation& installed) : WholeRun(std::move(keys)) {
    system.listing = installed.dfDirectory() + "\\DEALAR~1\r\n";
  }
  int go() { return runProgram(device, system); }
  int readsOfTheSettings() const {
    int reads = 0;
    for (const std::string& c : system.calls) reads += c == "readFile KVELD.INI";
    return reads;
  }
  Console device;
  FakeSystem system{FakeSystem::onDisk};
};

// Every file under a folder with its bytes, and every folder.
std::map<fs::path, std::string> filesUnder(const fs::path& folder) {
  std::map<fs::path, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    files[e.path()] = e.is_directory() ? "(a folder)" : contentOf(e.path());
  return files;
}

TEST(FailurePaths, FirstRunWithoutSettingsShowsTheNoticeCreatesTheFileAndRunsSetup) {
  Installation installed;
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
    void (*fault)(Installation&);
    std::vector<std::string> keys;
    ScreenCheck shows;
    bool keyTypedAheadEnds;
  };
  std::vector<std::string> setKeys = oneSet();
  setKeys.push_back("k");
  const Case cases[] = {
      {"KVELD.INI read-only when setup writes it",
       [](Installation& i) {
         writeTo(i.ini(), "ExecutableFile=DF.EXE\r\n");
         fs::permissions(i.ini(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       {keys::enter, "k"},
       showsHalt70,
       true},
      {"a folder name with a question mark",
       [](Installation& i) {
         writeTo(i.ini(), "DeepFinesseDirectory=" + i.dfDirectory() +
                              "\\D?F\r\n"
                              "ExecutableFile=DF.EXE\r\n");
       },
       setKeys, showsFileAccessError, false},
      {"the archive file of the same name read-only",
       [](Installation& i) {
         writeTo(i.archiveFile(), "an earlier set\r\n");
         fs::permissions(i.archiveFile(),
                         fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
       },
       setKeys, showsHalt70, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Installation installed;
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

// A real archive folder gone: the question, and yes goes on to setup at
// once (Esc there, then yes, to quit) with KVELD.INI emptied, without
// reading the settings again. The other answers are the handler's own.
TEST(FailurePaths, ArchiveFolderRemovedLeadsIntoSetup) {
  Installation installed;
  fs::remove_all(installed.archiveFolder());
  std::vector<std::string> k = oneSet();
  k.insert(k.end(), {keys::enter, keys::esc, "y"});
  WholeRun run(k, installed);
  EXPECT_EQ(run.go(), 0);
  EXPECT_EQ(run.device.keysLeft(), 0u);
  const auto& at = run.device.screensAtKeys();
  ASSERT_EQ(at.size(), k.size());
  const std::size_t question = oneSet().size();
  EXPECT_TRUE(showsArchiveFolderQuestion(at[question]));
  EXPECT_TRUE(showsDrivePrompt(at[question + 1]));
  EXPECT_EQ(contentOf(installed.ini()), "");
  EXPECT_EQ(run.readsOfTheSettings(), 1);
  EXPECT_FALSE(fs::exists(installed.archiveFolder()));
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

TEST(FailurePaths, ConsoleFailureAtStartHaltsWithItsNumber) {
  for (int number : {68, 5, 70}) {
    WholeRun run({"k"});
    run.device.openFailure = number;
    EXPECT_EQ(run.go(), 0);
    EXPECT_TRUE(showsGeneralHalt(run.device.screen(), number));
    EXPECT_EQ(run.device.keysLeft(), 0u);
    EXPECT_TRUE(run.system.calls.empty());
  }
}

// From 241 on, wherever the failure comes, the run ends at once with 255:
// no halt screen, no sound, the screen before the failure left as it was.
TEST(FailurePaths, FromTwoFortyOneOnTheRunEndsWith255AndNoScreen) {
  struct Case {
    int openFailure;
    std::string call, subject;
    int number;
    std::vector<std::string> keys;
  };
  const std::vector<Case> cases = {
      {241, "", "", 0, {}},
      {1000, "", "", 0, {}},
      {0, "readFile", "KVELD.INI", 241, {}},
      {0, "replaceFile", "Jan-01-M.txt", 241, oneSet()},
      {0, "replaceFile", "Jan-01-M.txt", 300, oneSet()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.openFailure + c.number);
    Installation installed;
    WholeRun run(c.keys);
    run.device.addKeys({"k"});  // never read
    run.device.openFailure = c.openFailure;
    if (!c.call.empty()) run.system.failOn(c.call, c.number, c.subject);
    EXPECT_EQ(run.go(), 255);
    EXPECT_EQ(run.device.keysLeft(), 1u);
    EXPECT_EQ(run.device.screensAtKeys().size(), c.keys.size());
    if (c.openFailure != 0) {
      EXPECT_EQ(run.device.screen(), ScreenModel{});
    }
    EXPECT_FALSE(showsAt(run.device.screen(), 27, 14, "Sorry -- program halted."));
    for (const std::string& s : run.device.sounds()) EXPECT_NE(s, "beep2");
  }
}

}  // namespace
}  // namespace kveld
