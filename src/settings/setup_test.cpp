#include "settings/setup.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/flow_control.h"
#include "core/program.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"
#include "testing/fake_system.h"

namespace kveld {
namespace {

std::vector<std::string> beeps(const ScriptedConsole& device) {
  std::vector<std::string> out;
  for (const std::string& s : device.sounds())
    if (s == "beep2") out.push_back(s);
  return out;
}

// Whether keys were discarded between the key read `keyIndex` (0-based) and
// the next one.
bool flushedAfterKey(const ScriptedConsole& device, std::size_t keyIndex) {
  std::size_t seen = 0;
  bool after = false;
  for (const ScriptedConsole::Event& e : device.events()) {
    if (e.kind == ScriptedConsole::Event::key) {
      if (after) return false;
      if (seen++ == keyIndex) after = true;
    } else if (after && e.kind == ScriptedConsole::Event::flush) {
      return true;
    }
  }
  return false;
}

bool acceptedAsDrive(const std::string& key) {
  const std::string k = upperKey(key);
  return k.size() == 1 && k >= "B" && k <= "Z";
}

enum class Outcome { returned, ended, reentered };

constexpr int kYellowOnBlue = yellow + 16 * blue;
constexpr int kWhiteOnBlue = white + 16 * blue;
constexpr int kCyanOnBlue = lightCyan + 16 * blue;
constexpr int kWhiteOnMagenta = white + 16 * magenta;

// One program at the title screen. The drive listing names one
// installation, C:\Games\DF, whose program file is there; the user's
// screen is kept at the listing, the search for the program file and the
// writing of the settings.
struct SetupParts {
  SetupParts() {
    initProgramTables(tables);
    kit.drawTitleScreen();
    install("C:\\Games\\DF", "Deal Archive");
    system.beforeCall = [this](const std::string& call, const std::string& subject) {
      if (call == "listDrive") screenAtListing = device.screen();
      if (call == "findFirstFile") screenAtExecutable = device.screen();
      if (subject == "KVELD.INI" && call != "readFile") screenAtSettings = device.screen();
    };
  }
  // An installation in `folder` with its program file, and a listing that
  // names its archive folder.
  void install(const std::string& folder, const std::string& archive = "DEALAR~1") {
    system.addFile(folder + "\\dFinesse.exe");
    system.listing = folder + "\\" + archive + "\r\n";
  }
  void setListing(const std::vector<std::string>& folders, const std::string& drive = "C:") {
    std::string text;
    for (const std::string& f : folders) {
      text += drive + "\\" + f + "\\DEALAR~1\r\n";
      system.addFile(drive + "\\" + f + "\\dFinesse.exe");
    }
    system.listing = text;
  }
  // The folders and patterns searched for the program file.
  std::vector<std::string> searches() const {
    std::vector<std::string> out;
    for (const std::string& c : system.calls)
      if (c.rfind("findFirstFile ", 0) == 0) out.push_back(c.substr(14));
    return out;
  }
  bool scratchFileLeft() const {
    for (const auto& [path, bytes] : system.files)
      if (path.rfind("df_find", 0) == 0) return true;
    return false;
  }
  bool hasSettingsFile() const { return system.files.count("KVELD.INI") != 0; }
  Outcome run(const std::vector<std::string>& keys) {
    device.addKeys(keys);
    try {
      runSetup(program);
      return Outcome::returned;
    } catch (const EndProgram& e) {
      EXPECT_EQ(e.exitCode, 0);
      return Outcome::ended;
    } catch (const Reenter& r) {
      EXPECT_EQ(r.point, EntryPoint::titleScreen);
      return Outcome::reentered;
    }
  }

  ProgramTables tables;
  ScriptedConsole device;
  ConsoleKit kit{device, tables};
  FakeSystem system;
  Program program{tables, kit, system};
  ScreenModel screenAtListing, screenAtExecutable, screenAtSettings;
};

// Setup leaves no scratch file behind.
struct SetupScreenTest : ::testing::Test, SetupParts {
  ~SetupScreenTest() override { EXPECT_FALSE(scratchFileLeft()) << "the scratch file was left"; }
  std::string settingsFile() const { return system.files.at("KVELD.INI"); }
};

TEST_F(SetupScreenTest, DrivePrompt) {
  device.typeAhead({"x"});  // discarded before the prompt
  EXPECT_EQ(run({keys::enter, "a"}), Outcome::returned);
  const ScreenModel& s = device.screensAtKeys().at(0);
  EXPECT_TRUE(showsDrivePrompt(s));
  EXPECT_EQ(textAt(s, 10, 5, 58), "Specify the drive letter where DeepFinesse is located:  C ");
  EXPECT_TRUE(allAttr(s, 10, 5, 55, kYellowOnBlue));
  EXPECT_TRUE(allAttr(s, 65, 5, 3, black + 16 * white));
  EXPECT_TRUE(allAttr(s, 4, 6, 74, kYellowOnBlue));
  EXPECT_TRUE(cursorAt(s, 66, 5));
  EXPECT_EQ(system.drivesListed, std::vector<std::string>{"C:"});
  EXPECT_EQ(program.driveSpec, "C:");
}

TEST_F(SetupScreenTest, DriveKeys) {
  struct Case {
    std::vector<std::string> keys;
    std::string drive;
    int beeps;
  } cases[] = {
      {{keys::enter}, "C:", 0},
      {{"a", "A", keys::enter}, "C:", 2},
      {{"d", keys::enter}, "D:", 0},
      {{"D", "E", keys::enter}, "E:", 0},
      {{"b", "z", keys::enter}, "Z:", 0},
      {{"1", ":", "[", "@", keys::f1, keys::up, keys::backspace, " ", "y", keys::enter}, "Y:", 8},
  };
  for (const Case& c : cases) {
    SetupParts p;
    p.install(c.drive + "\\DF");
    std::vector<std::string> keys = c.keys;
    keys.push_back("k");  // the completion notice
    EXPECT_EQ(p.run(keys), Outcome::returned);
    EXPECT_EQ(p.system.drivesListed, std::vector<std::string>{c.drive}) << c.keys.size();
    EXPECT_EQ(beeps(p.device).size(), static_cast<std::size_t>(c.beeps)) << c.drive;
    // The box shows the letter chosen so far; a refused key changes nothing.
    const std::vector<ScreenModel>& screens = p.device.screensAtKeys();
    std::string shown = "C";
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
      EXPECT_EQ(textAt(screens[i], 65, 5, 3), " " + shown + " ") << c.drive << " key " << i;
      EXPECT_EQ(screens[i].cursorColumn, 66);
      if (acceptedAsDrive(c.keys[i])) shown = upperKey(c.keys[i]);
      if (i > 0 && !acceptedAsDrive(c.keys[i - 1])) {
        EXPECT_EQ(screens[i], screens[i - 1]) << c.drive << " key " << i;
      }
    }
    EXPECT_EQ(p.program.driveSpec, c.drive);
    EXPECT_FALSE(p.scratchFileLeft());
  }
}

TEST_F(SetupScreenTest, EscAtTheDrivePromptAsksToQuit) {
  EXPECT_EQ(run({"e", keys::esc, "n"}), Outcome::reentered);
  EXPECT_TRUE(showsQuitQuestion(device.screensAtKeys().at(2)));
  EXPECT_TRUE(system.drivesListed.empty());
  EXPECT_FALSE(hasSettingsFile());
}

TEST_F(SetupScreenTest, SearchingScreenIsShownWhileTheDriveIsListed) {
  run({"e", keys::enter, "k"});
  const ScreenModel& s = screenAtListing;
  EXPECT_EQ(textAt(s, 10, 7, 39), "Searching for program files on drive E:");
  EXPECT_EQ(textAt(s, 10, 8, 44), "This may take a little time.  Please wait...");
  EXPECT_TRUE(allAttr(s, 10, 7, 39, kYellowOnBlue));
  EXPECT_FALSE(s.cursorVisible);
}

TEST_F(SetupScreenTest, NothingFoundHalts) {
  for (const std::string& listing :
       {std::string(), std::string("D:\\DF\\DEALAR~1\r\n"), std::string("\r\n")}) {
    SetupParts p;
    p.system.listing = listing;
    EXPECT_EQ(p.run({"f", keys::enter, "x"}), Outcome::ended);
    const ScriptedConsole& dev = p.device;
    const ScreenModel& s = dev.screensAtKeys().back();
    EXPECT_EQ(textAt(s, 9, 22, 64), " DeepFinesse program files not found on Drive F. Program halted ");
    EXPECT_TRUE(allAttr(s, 9, 22, 64, kWhiteOnMagenta));
    EXPECT_FALSE(s.cursorVisible);
    EXPECT_EQ(dev.sounds(), std::vector<std::string>{"beep2"});
    EXPECT_EQ(dev.keysLeft(), 0u);
    EXPECT_TRUE(p.searches().empty());
    EXPECT_FALSE(p.hasSettingsFile());
    EXPECT_FALSE(p.scratchFileLeft());
    EXPECT_FALSE(flushedAfterKey(dev, 1));
  }
}

TEST_F(SetupScreenTest, OneFoundGoesStraightOn) {
  const std::string p61 = "C:\\" + std::string(50, 'p') + "\\DeepFin";  // 61 characters
  install(p61, "Deal Archive");
  EXPECT_EQ(run({keys::enter, "k"}), Outcome::returned);
  const ScreenModel& s = screenAtExecutable;
  EXPECT_EQ(textAt(s, 15, 10, 58), "DeepFinesse program files found at:" + std::string(23, ' '));
  EXPECT_EQ(textAt(s, 10, 11, 61), p61.substr(0, 57) + "... ");
  EXPECT_TRUE(allAttr(s, 10, 11, 60, kWhiteOnBlue));
  EXPECT_EQ(device.screensAtKeys().size(), 2u);  // no question asked
  EXPECT_EQ(searches(), std::vector<std::string>{p61 + "\\d*.exe"});
  EXPECT_EQ(program.settings.dfDirectory, p61);
  EXPECT_EQ(settingsFile(), "DeepFinesseDirectory=" + p61 + "\r\nExecutableFile=DFINESSE.EXE\r\n");
  EXPECT_EQ(settingsFile().size(), 40u + 61u + 12u);
}

TEST_F(SetupScreenTest, SixtyCharactersAreShownWhole) {
  const std::string p60 = "C:\\" + std::string(57, 'q');
  install(p60);
  run({keys::enter, "k"});
  EXPECT_EQ(textAt(screenAtExecutable, 10, 11, 61), p60 + " ");
}

TEST_F(SetupScreenTest, ChoiceAmongThree) {
  setListing({"One", "Two", "Three"});
  EXPECT_EQ(run({keys::enter, "0", "4", keys::enter, "x", keys::f1, "2", "k"}), Outcome::returned);
  const ScreenModel& s = device.screensAtKeys().at(1);
  EXPECT_EQ(textAt(s, 10, 10, 57), "Multiple DeepFinesse installations found:" + std::string(16, ' '));
  EXPECT_EQ(textAt(s, 10, 11, 60), std::string(60, ' '));
  const char* names[] = {"One", "Two", "Three"};
  for (int i = 0; i < 3; ++i) {
    const std::string path = std::string("C:\\") + names[i];
    EXPECT_EQ(textAt(s, 10, 12 + i, 4 + static_cast<int>(path.size())),
              "(" + std::to_string(i + 1) + ") " + path);
    EXPECT_TRUE(allAttr(s, 10, 12 + i, 4, kCyanOnBlue));
    EXPECT_TRUE(allAttr(s, 14, 12 + i, static_cast<int>(path.size()), kWhiteOnBlue));
  }
  EXPECT_EQ(textAt(s, 10, 21, 56), "* Select number of desired file set, or (Q)uit program: ");
  EXPECT_TRUE(allAttr(s, 10, 21, 9, kYellowOnBlue));
  EXPECT_TRUE(allAttr(s, 19, 21, 6, kCyanOnBlue));
  EXPECT_TRUE(allAttr(s, 25, 21, 41, kYellowOnBlue));
  EXPECT_TRUE(cursorAt(s, 66, 21));
  EXPECT_TRUE(flushedAfterKey(device, 0));
  EXPECT_FALSE(flushedAfterKey(device, 1));
  // Refused keys beep and change nothing.
  EXPECT_EQ(beeps(device).size(), 5u);
  for (std::size_t i = 2; i <= 6; ++i) EXPECT_EQ(device.screensAtKeys().at(i), s);
  EXPECT_EQ(searches(), std::vector<std::string>{"C:\\Two\\d*.exe"});
}

TEST_F(SetupScreenTest, EachNumberChoosesItsInstallation) {
  for (const char* key : {"1", "2", "3"}) {
    SetupParts p;
    p.setListing({"One", "Two", "Three"});
    EXPECT_EQ(p.run({keys::enter, key, "k"}), Outcome::returned);
    const char* expected[] = {"C:\\One", "C:\\Two", "C:\\Three"};
    EXPECT_EQ(p.program.settings.dfDirectory, expected[key[0] - '1']);
  }
}

TEST_F(SetupScreenTest, QOrEscAtTheChoiceAsksToQuit) {
  for (const std::string& key : {std::string("q"), std::string("Q"), keys::esc}) {
    SetupParts p;
    p.setListing({"One", "Two"});
    EXPECT_EQ(p.run({keys::enter, key, "n"}), Outcome::reentered);
    EXPECT_TRUE(showsQuitQuestion(p.device.screensAtKeys().at(2)));
    EXPECT_TRUE(p.searches().empty());
    EXPECT_FALSE(p.hasSettingsFile());
  }
}

TEST_F(SetupScreenTest, TenInstallationsMoveThePromptDown) {
  std::vector<std::string> folders;
  for (int i = 1; i <= 11; ++i) folders.push_back("DF" + std::to_string(i));
  setListing(folders);
  EXPECT_EQ(run({keys::enter, "0", "k"}), Outcome::returned);
  const ScreenModel& s = device.screensAtKeys().at(1);
  EXPECT_EQ(textAt(s, 10, 21, 12), "(10) C:\\DF10");
  EXPECT_EQ(textAt(s, 10, 22, 56), "* Select number of desired file set, or (Q)uit program: ");
  EXPECT_EQ(s.cursorRow, 22);
  EXPECT_EQ(s.cursorColumn, 66);
  EXPECT_EQ(program.settings.dfDirectory, "C:\\DF10");
}

TEST_F(SetupScreenTest, ZeroBeepsWithFewerThanTen) {
  setListing({"a", "b", "c", "d", "e", "f", "g", "h", "i"});
  EXPECT_EQ(run({keys::enter, "0", "9", "k"}), Outcome::returned);
  EXPECT_EQ(beeps(device).size(), 1u);
  EXPECT_EQ(program.settings.dfDirectory, "C:\\i");
  EXPECT_EQ(textAt(device.screensAtKeys().at(1), 10, 21, 8), "* Select");
}

TEST_F(SetupScreenTest, NoExecutableHalts) {
  system.files.erase("C:\\Games\\DF\\dFinesse.exe");
  EXPECT_EQ(run({keys::enter, "k"}), Outcome::ended);
  const ScreenModel& s = device.screensAtKeys().back();
  EXPECT_EQ(textAt(s, 14, 22, 57), " DeepFinesse executable file not found.  Program halted. ");
  EXPECT_TRUE(allAttr(s, 14, 22, 57, kWhiteOnMagenta));
  EXPECT_FALSE(s.cursorVisible);
  EXPECT_EQ(beeps(device).size(), 1u);
  EXPECT_FALSE(flushedAfterKey(device, 0));
  EXPECT_FALSE(hasSettingsFile());
}

TEST_F(SetupScreenTest, CompletionNotice) {
  system.files["KVELD.INI"] = "ExecutableFile=OLD.EXE\r\nDeepFinesseDirectory=\r\nmore\r\n";
  EXPECT_EQ(run({keys::enter, "k"}), Outcome::returned);
  // "Preparing" is on screen while the file is written; the notice comes
  // after the pause.
  const ScreenModel& writing = screenAtSettings;
  EXPECT_EQ(textAt(writing, 15, 8, 32), "Preparing Initialization file...");
  EXPECT_EQ(textAt(writing, 15, 10, 24), std::string(24, ' '));
  EXPECT_TRUE(cursorAt(writing, 47, 8));
  for (int row = 4; row <= 23; ++row) {
    if (row != 8) {
      EXPECT_EQ(textAt(writing, 4, row, 74), std::string(74, ' ')) << row;
    }
  }
  EXPECT_EQ(device.pauses(), std::vector<int>{1000});

  const ScreenModel& s = device.screensAtKeys().back();
  EXPECT_EQ(textAt(s, 15, 8, 32), "Preparing Initialization file...");
  EXPECT_EQ(textAt(s, 15, 10, 24), "DONE! Setup is complete.");
  EXPECT_EQ(textAt(s, 15, 14, 57), "Should you later move the DeepFinesse program files,     ");
  EXPECT_EQ(textAt(s, 15, 15, 48), "it would be necessary either to edit KVELD.INI, ");
  EXPECT_EQ(textAt(s, 15, 16, 55), "or delete it -- in which case SETUP would re-create it.");
  for (int row : {8, 10, 14, 15, 16}) EXPECT_TRUE(allAttr(s, 15, row, 24, kYellowOnBlue)) << row;
  EXPECT_EQ(textAt(s, 34, 20, 11), " <any key> ");
  EXPECT_TRUE(allAttr(s, 34, 20, 11, kWhiteOnMagenta));
  EXPECT_FALSE(s.cursorVisible);
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"notify2"});
  EXPECT_FALSE(flushedAfterKey(device, 0));
  // The pause comes before the notice's key, the sound just before it.
  const std::vector<ScriptedConsole::Event>& events = device.events();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[events.size() - 3].kind, ScriptedConsole::Event::pause);
  EXPECT_EQ(events[events.size() - 2].kind, ScriptedConsole::Event::sound);
  EXPECT_EQ(events.back().kind, ScriptedConsole::Event::key);
  // Nothing of the earlier settings file is left.
  EXPECT_EQ(settingsFile(), "DeepFinesseDirectory=C:\\Games\\DF\r\nExecutableFile=DFINESSE.EXE\r\n");
  EXPECT_EQ(program.settings.dfExecutable, "DFINESSE.EXE");
}

TEST_F(SetupScreenTest, TheScratchFileGoesWhenReadingOrListingFails) {
  struct Case {
    bool failListing;
    bool failRead;
    bool writeListing;
    int number;
  } cases[] = {
      {false, true, true, err::kDiskMedia},
      {true, false, true, err::kPathFileAccess},
      {true, false, false, err::kPathFileAccess},
      {false, false, false, err::kFileNotFound},  // the listing made no file
  };
  for (const Case& c : cases) {
    SetupParts p;
    if (!c.writeListing) p.system.listing.reset();
    if (c.failListing) p.system.failOn("listDrive", err::kPathFileAccess);
    if (c.failRead) p.system.failOn("readFile", err::kDiskMedia, "df_find");
    try {
      p.run({keys::enter});
      ADD_FAILURE() << "setup went on";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.number(), c.number);
    }
    EXPECT_FALSE(p.scratchFileLeft()) << c.number;
  }
}

}  // namespace
}  // namespace kveld
