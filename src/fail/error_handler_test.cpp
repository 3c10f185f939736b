#include "fail/error_handler.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>

#include "app/flow_control.h"
#include "app/main_flow.h"
#include "app/program.h"
#include "platform/scripted_console.h"
#include "testing/failing_system.h"

namespace kveld {
namespace {

constexpr int kYellowOnBlue = yellow + 16 * blue;
constexpr int kWhiteOnMagenta = white + 16 * magenta;
constexpr int kMagentaOnWhite = magenta + 16 * white;
// The colours current when the error comes: the body is erased in them.
constexpr int kColoursAtError = lightCyan + 16 * red;

// Files held in memory, so that the handler's own writing can be seen
// without touching a disk.
class MemorySystem : public System {
 public:
  std::string readFile(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) throw RunTimeError(err::kFileNotFound, path + " not found");
    return it->second;
  }
  void writeFile(const std::string& path, const std::string& bytes) override { files[path] = bytes; }
  void replaceFile(const std::string& path, const std::string& bytes) override { files[path] = bytes; }
  void deleteFile(const std::string& path) override { files.erase(path); }
  std::string findFirstFile(const std::string&, const std::string&) override { return {}; }
  void listArchiveFolders(const std::string&, const std::string&) override {}
  void openAddress(const std::string&) override {}
  void startProgram(const std::string&, const std::string&, const std::string&) override {}

  std::map<std::string, std::string> files;
};

// The screen a test expects, built from the screen before the error.
struct ExpectedScreen {
  ScreenModel s;
  void fill(int column, int row, int length, int attr) {
    for (int c = column; c < column + length; ++c) s.at(c, row) = Cell{' ', static_cast<std::uint8_t>(attr)};
  }
  void text(int column, int row, const std::string& t, int attr) {
    for (std::size_t i = 0; i < t.size(); ++i)
      s.at(column + static_cast<int>(i), row) =
          Cell{static_cast<std::uint8_t>(t[i]), static_cast<std::uint8_t>(attr)};
  }
  void eraseBody(int attr) {
    for (int row = 4; row <= 23; ++row) fill(4, row, 74, attr);
  }
  void cursor(int column, int row) {
    s.cursorColumn = column;
    s.cursorRow = row;
    s.cursorVisible = true;
  }
};

// Every cell, with the first few differences spelled out.
::testing::AssertionResult sameScreen(const ScreenModel& actual, const ScreenModel& expected) {
  std::ostringstream out;
  int differences = 0;
  for (int row = 1; row <= ScreenModel::kRows; ++row)
    for (int col = 1; col <= ScreenModel::kColumns; ++col) {
      const Cell a = actual.at(col, row), e = expected.at(col, row);
      if (a == e) continue;
      if (++differences <= 5)
        out << "\n  column " << col << ", row " << row << ": '" << a.ch << "' attr " << int(a.attr)
            << ", expected '" << e.ch << "' attr " << int(e.attr);
    }
  if (actual.cursorColumn != expected.cursorColumn || actual.cursorRow != expected.cursorRow ||
      actual.cursorVisible != expected.cursorVisible) {
    ++differences;
    out << "\n  cursor at " << actual.cursorColumn << "," << actual.cursorRow
        << (actual.cursorVisible ? " shown" : " hidden") << ", expected " << expected.cursorColumn << ","
        << expected.cursorRow << (expected.cursorVisible ? " shown" : " hidden");
  }
  if (differences == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differences << " differences:" << out.str();
}

// How a call of the handler ended.
struct Outcome {
  std::optional<EntryPoint> reentered;
  std::optional<int> exitCode;
  std::optional<int> escapedError;
};

struct HandlerTest : ::testing::Test {
  HandlerTest() {
    initProgramTables(tables);
    kit.drawTitleScreen();
    kit.setColour(white, blue);
    kit.moveTo(39, 5);
    kit.print("12345");
    kit.moveTo(4, 22);
    kit.print("a message on the message row");
    kit.setColour(lightCyan, red);
    kit.moveTo(10, 8);
    before = kit.screen();
    program.settingsValid = tables.flagTrue;
  }

  Outcome run(int errorNumber) {
    Outcome o;
    try {
      runtimeErrorHandler(program, errorNumber);
    } catch (const Reenter& r) {
      o.reentered = r.point;
    } catch (const EndProgram& e) {
      o.exitCode = e.exitCode;
    } catch (const RunTimeError& e) {
      o.escapedError = e.number();
    }
    return o;
  }

  ExpectedScreen generalHaltScreen(int number) {
    ExpectedScreen e{before};
    e.eraseBody(kYellowOnBlue);
    std::ostringstream line;
    line << " ERROR:" << (number < 0 ? "-" : " ") << (number < 0 ? -number : number) << " , LINE: 0 ";
    e.text(28, 12, line.str(), kYellowOnBlue);
    e.text(27, 14, "Sorry -- program halted. ", kYellowOnBlue);
    e.text(18, 16, "Please email details to " + maintainerAddress(), kYellowOnBlue);
    e.cursor(1, 17);
    return e;
  }

  ProgramTables tables;
  ScriptedConsole device;
  ConsoleKit kit{device, tables};
  MemorySystem files;
  FailingSystem system{files};
  Program program{tables, kit, system};
  ScreenModel before;
};

TEST_F(HandlerTest, MissingSettingsNoticeCreatesAnEmptyFileAndRereadsIt) {
  files.files["KVELD.INI"] = "DeepFinesseDirectory=C:\\DF\r\n";
  device.typeAhead({"x"});  // discarded: the notice waits for a fresh key
  device.addKeys({"q"});
  const Outcome o = run(53);
  ASSERT_EQ(o.reentered, EntryPoint::readSettings);

  ExpectedScreen e{before};
  e.eraseBody(kColoursAtError);
  for (int row = 9; row <= 19; ++row) e.fill(10, row, 62, kMagentaOnWhite);
  e.text(11, 11, "The initialization file KVELD.INI is missing or corrupted.", kMagentaOnWhite);
  e.text(28, 14, "A new file will be created.", kMagentaOnWhite);
  e.text(37, 17, "<any key>", kMagentaOnWhite);
  e.cursor(46, 17);
  ASSERT_EQ(device.screensAtKeys().size(), 1u);
  EXPECT_TRUE(sameScreen(device.screensAtKeys()[0], e.s));
  // The panel stays; the colours are back to the normal ones.
  EXPECT_TRUE(sameScreen(kit.screen(), e.s));
  EXPECT_EQ(kit.foreground(), yellow);
  EXPECT_EQ(kit.background(), blue);

  ASSERT_EQ(device.events().size(), 3u);
  EXPECT_EQ(device.events()[0].kind, ScriptedConsole::Event::sound);
  EXPECT_EQ(device.events()[0].text, "beep2");
  EXPECT_EQ(device.events()[1].kind, ScriptedConsole::Event::flush);
  EXPECT_EQ(device.events()[2].text, "q");
  EXPECT_EQ(system.calls, std::vector<std::string>{"writeFile KVELD.INI"});
  EXPECT_EQ(files.files.at("KVELD.INI"), "");
  EXPECT_EQ(device.keysLeft(), 0u);
}

TEST_F(HandlerTest, FileAccessErrorHaltsAfterAFreshKey) {
  device.typeAhead({"y"});
  device.addKeys({keys::esc});
  const Outcome o = run(75);
  ASSERT_EQ(o.exitCode, 0);

  ExpectedScreen e{before};
  e.eraseBody(kColoursAtError);
  e.text(31, 10, " File Access Error ", kWhiteOnMagenta);
  e.text(17, 12, " A program file unexpectedly has been set as    ", kYellowOnBlue);
  e.text(17, 13, " read-only, or the path to the file is invalid. ", kYellowOnBlue);
  e.text(30, 15, " Execution halted. ", kYellowOnBlue);
  e.cursor(1, 16);
  ASSERT_EQ(device.screensAtKeys().size(), 1u);
  EXPECT_TRUE(sameScreen(device.screensAtKeys()[0], e.s));
  EXPECT_TRUE(sameScreen(kit.screen(), e.s));
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"beep2"});
  EXPECT_TRUE(system.calls.empty());
  EXPECT_EQ(device.keysLeft(), 0u);
}

TEST_F(HandlerTest, ArchiveFolderQuestionScreen) {
  device.typeAhead({"y"});  // discarded by the flush before the question
  device.addKeys({"n"});
  const Outcome o = run(76);
  ASSERT_EQ(o.exitCode, 0);

  ExpectedScreen e{before};
  e.eraseBody(kColoursAtError);
  e.text(8, 10, " The DeepFinesse archive directory has been moved or deleted. ", kWhiteOnMagenta);
  e.text(8, 13, " KVELD needs to be reinstalled. Continue with setup?  (Y/n)", kYellowOnBlue);
  e.cursor(63, 13);
  ASSERT_EQ(device.screensAtKeys().size(), 1u);
  EXPECT_TRUE(sameScreen(device.screensAtKeys()[0], e.s));
  EXPECT_EQ(device.screensAtKeys()[0].at(63, 13).ch, 'Y');
  EXPECT_EQ(device.events().front().text, "beep2");
  EXPECT_EQ(device.events()[1].kind, ScriptedConsole::Event::flush);
}

TEST_F(HandlerTest, ArchiveFolderQuestionAnswers) {
  struct Case {
    std::vector<std::string> keys;
    bool setup;
    int beeps;
  };
  const std::vector<Case> cases = {
      {{"Y"}, true, 0},
      {{"y"}, true, 0},
      {{keys::enter}, true, 0},
      {{"N"}, false, 0},
      {{"n"}, false, 0},
      {{keys::esc}, false, 0},
      {{"x", keys::up, keys::f10, "\x03", " ", "1", "Y"}, true, 6},
      {{"j", keys::down, "n"}, false, 2},
  };
  for (const Case& c : cases) {
    ScriptedConsole dev(c.keys);
    ConsoleKit k(dev, tables);
    MemorySystem mem;
    mem.files["KVELD.INI"] = "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n";
    FailingSystem sys(mem);
    Program p(tables, k, sys);
    p.settingsValid = tables.flagTrue;
    k.drawTitleScreen();
    Outcome o;
    try {
      runtimeErrorHandler(p, 76);
    } catch (const Reenter& r) {
      o.reentered = r.point;
    } catch (const EndProgram& e) {
      o.exitCode = e.exitCode;
    }
    SCOPED_TRACE("keys ending in " + c.keys.back());
    EXPECT_EQ(dev.keysLeft(), 0u);
    EXPECT_EQ(dev.sounds().size(), static_cast<std::size_t>(1 + c.beeps));
    // An unaccepted key changes nothing on the screen.
    for (const ScreenModel& s : dev.screensAtKeys()) EXPECT_EQ(s, dev.screensAtKeys().front());
    if (c.setup) {
      EXPECT_EQ(o.reentered, EntryPoint::setupCheck);
      EXPECT_EQ(p.settingsValid, tables.flagFalse);
      EXPECT_EQ(mem.files.at("KVELD.INI"), "");
    } else {
      EXPECT_EQ(o.exitCode, 0);
      EXPECT_EQ(p.settingsValid, tables.flagTrue);
      EXPECT_EQ(mem.files.at("KVELD.INI"), "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n");
      EXPECT_TRUE(sys.calls.empty());
    }
  }
}

TEST_F(HandlerTest, GeneralHaltForEveryOtherNumber) {
  for (int number : {70, 61, 5, 7, 51, 62, 67, 68, 71, 72, 74, 0, 1, 52, 54, 77, 240, 1000}) {
    ScriptedConsole dev({"k"});
    ConsoleKit k(dev, tables);
    Program p(tables, k, system);
    k.drawTitleScreen();
    k.setColour(lightCyan, red);
    ExpectedScreen e{k.screen()};
    try {
      runtimeErrorHandler(p, number);
    } catch (const EndProgram& end) {
      EXPECT_EQ(end.exitCode, 0);
    }
    SCOPED_TRACE("error " + std::to_string(number));
    e.eraseBody(kYellowOnBlue);
    const std::string line = " ERROR: " + std::to_string(number) + " , LINE: 0 ";
    e.text(28, 12, line, kYellowOnBlue);
    e.text(27, 14, "Sorry -- program halted. ", kYellowOnBlue);
    e.text(18, 16, "Please email details to " + maintainerAddress(), kYellowOnBlue);
    e.cursor(1, 17);
    ASSERT_EQ(dev.screensAtKeys().size(), 1u);
    EXPECT_TRUE(sameScreen(dev.screensAtKeys()[0], e.s));
    EXPECT_TRUE(sameScreen(k.screen(), e.s));
    EXPECT_EQ(dev.sounds(), std::vector<std::string>{"beep2"});
    EXPECT_EQ(dev.keysLeft(), 0u);
  }
  EXPECT_TRUE(system.calls.empty());
}

TEST_F(HandlerTest, GeneralHaltAddressFitsInsideTheFrame) {
  const std::string& a = maintainerAddress();
  EXPECT_NE(a.find('@'), std::string::npos);
  EXPECT_EQ(a.find(' '), std::string::npos);
  EXPECT_LE(18 + 24 + static_cast<int>(a.size()) - 1, 77);
}

TEST_F(HandlerTest, KeyPressedBeforeTheGeneralHaltEndsItAtOnce) {
  device.typeAhead({"z"});
  const Outcome o = run(70);
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(device.keysLeft(), 0u);
  for (const ScriptedConsole::Event& ev : device.events()) EXPECT_NE(ev.kind, ScriptedConsole::Event::flush);
  EXPECT_TRUE(sameScreen(kit.screen(), generalHaltScreen(70).s));
}

// When the handler cannot create or empty KVELD.INI itself, the run ends
// with the general halt showing that failure's number: it never goes round
// the handler again, whatever the number.
TEST_F(HandlerTest, OwnSettingsFileFailureEndsInTheGeneralHalt) {
  struct Case {
    int error;
    std::vector<std::string> keys;
    int writeFailure;
  };
  const std::vector<Case> cases = {
      {53, {"a", "b"}, 70}, {53, {"a", "b"}, 53}, {53, {"a", "b"}, 76}, {53, {"a", "b"}, 75},
      {76, {"Y", "b"}, 70}, {76, {keys::enter, "b"}, 61}, {76, {"y", "b"}, 76}, {76, {"Y", "b"}, 53},
  };
  for (const Case& c : cases) {
    ScriptedConsole dev(c.keys);
    ConsoleKit k(dev, tables);
    MemorySystem mem;
    FailingSystem sys(mem);
    sys.failOn(FailingSystem::Op::writeFile, c.writeFailure, "KVELD.INI", -1);
    Program p(tables, k, sys);
    p.settingsValid = tables.flagTrue;
    k.drawTitleScreen();
    ExpectedScreen e{k.screen()};
    SCOPED_TRACE("error " + std::to_string(c.error) + ", then " + std::to_string(c.writeFailure));
    std::optional<int> exitCode;
    try {
      runtimeErrorHandler(p, c.error);
    } catch (const EndProgram& end) {
      exitCode = end.exitCode;
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(sys.calls, std::vector<std::string>{"writeFile KVELD.INI !"});
    EXPECT_EQ(dev.keysLeft(), 0u);
    e.eraseBody(kYellowOnBlue);
    e.text(28, 12, " ERROR: " + std::to_string(c.writeFailure) + " , LINE: 0 ", kYellowOnBlue);
    e.text(27, 14, "Sorry -- program halted. ", kYellowOnBlue);
    e.text(18, 16, "Please email details to " + maintainerAddress(), kYellowOnBlue);
    e.cursor(1, 17);
    EXPECT_TRUE(sameScreen(k.screen(), e.s));
    EXPECT_EQ(p.settingsValid, tables.flagTrue);
  }
}

TEST_F(HandlerTest, OwnSettingsFileFailureFrom241OnIsLeftToTheMainFlow) {
  device.addKeys({"a"});
  system.failOn(FailingSystem::Op::writeFile, 241, "KVELD.INI");
  EXPECT_EQ(run(53).escapedError, 241);
}

// A console that cannot be prepared: the first failure a run can meet,
// handled by the real main flow and handler together.
class UnopenableConsole : public ScriptedConsole {
 public:
  UnopenableConsole(int number, std::vector<std::string> keys) : ScriptedConsole(std::move(keys)), number_(number) {}
  void open(const std::string&) override { throw RunTimeError(number_, "the console cannot be set to 80 x 25"); }

 private:
  int number_;
};

TEST(HandlerInMainFlow, ConsoleFailureAtStartHaltsWithItsNumber) {
  for (int number : {68, 5, 70}) {
    UnopenableConsole dev(number, {"k"});
    MemorySystem mem;
    FailingSystem sys(mem);
    EXPECT_EQ(runProgram(dev, sys), 0);
    const std::string line = " ERROR: " + std::to_string(number) + " , LINE: 0 ";
    EXPECT_EQ(textAt(dev.screen(), 28, 12, static_cast<int>(line.size()) + 1), line + " ");
    EXPECT_EQ(dev.keysLeft(), 0u);
    EXPECT_TRUE(sys.calls.empty());
  }
}

TEST(HandlerInMainFlow, From241OnTheRunEndsAtOnceWith255AndNoScreen) {
  for (int number : {241, 242, 255, 1000}) {
    UnopenableConsole dev(number, {"k"});
    MemorySystem mem;
    FailingSystem sys(mem);
    EXPECT_EQ(runProgram(dev, sys), 255);
    EXPECT_TRUE(dev.screensAtKeys().empty());
    EXPECT_EQ(dev.screen(), ScreenModel{});
    EXPECT_TRUE(dev.sounds().empty());
    EXPECT_EQ(dev.keysLeft(), 1u);
  }
}

}  // namespace
}  // namespace kveld
