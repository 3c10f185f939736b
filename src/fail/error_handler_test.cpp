#include "fail/error_handler.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>

#include "core/flow_control.h"
#include "app/main_flow.h"
#include "core/program.h"
#include "testing/scripted_console.h"
#include "testing/failing_system.h"
#include "testing/failure_screens.h"

namespace kveld {
namespace {

using failureScreens::kYellowOnBlue;
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
  bool openAddress(const std::string&) override { return true; }
  void startProgram(const std::string&, const std::string&, const std::string&) override {}

  std::map<std::string, std::string> files;
};

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
    kit.printAt(39, 5, "12345");
    kit.printAt(4, 22, "a message on the message row");
    kit.setColour(lightCyan, red);
    kit.moveTo(10, 8);
    before = kit.screen();
    program.settingsValid = true;
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

  const ScreenModel expected = failureScreens::settingsNotice(kColoursAtError, before);
  ASSERT_EQ(device.screensAtKeys().size(), 1u);
  EXPECT_TRUE(sameScreen(device.screensAtKeys()[0], expected));
  // The panel stays; the colours are back to the normal ones.
  EXPECT_TRUE(sameScreen(kit.screen(), expected));
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

  const ScreenModel expected = failureScreens::fileAccessError(kColoursAtError, before);
  ASSERT_EQ(device.screensAtKeys().size(), 1u);
  EXPECT_TRUE(sameScreen(device.screensAtKeys()[0], expected));
  EXPECT_TRUE(sameScreen(kit.screen(), expected));
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"beep2"});
  EXPECT_TRUE(system.calls.empty());
  EXPECT_EQ(device.keysLeft(), 0u);
}

TEST_F(HandlerTest, ArchiveFolderQuestionScreen) {
  device.typeAhead({"y"});  // discarded by the flush before the question
  device.addKeys({"n"});
  const Outcome o = run(76);
  ASSERT_EQ(o.exitCode, 0);

  const ScreenModel expected = failureScreens::archiveFolderQuestion(kColoursAtError, before);
  ASSERT_EQ(device.screensAtKeys().size(), 1u);
  EXPECT_TRUE(sameScreen(device.screensAtKeys()[0], expected));
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
    p.settingsValid = true;
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
      EXPECT_FALSE(p.settingsValid);
      EXPECT_EQ(mem.files.at("KVELD.INI"), "");
    } else {
      EXPECT_EQ(o.exitCode, 0);
      EXPECT_TRUE(p.settingsValid);
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
    const ScreenModel expected = failureScreens::generalHalt(number, k.screen());
    try {
      runtimeErrorHandler(p, number);
    } catch (const EndProgram& end) {
      EXPECT_EQ(end.exitCode, 0);
    }
    SCOPED_TRACE("error " + std::to_string(number));
    const std::string line = " ERROR: " + std::to_string(number) + " , LINE: 0 ";
    ASSERT_EQ(dev.screensAtKeys().size(), 1u);
    EXPECT_EQ(textAt(dev.screensAtKeys()[0], 28, 12, static_cast<int>(line.size()) + 1), line + " ");
    EXPECT_TRUE(sameScreen(dev.screensAtKeys()[0], expected));
    EXPECT_TRUE(sameScreen(k.screen(), expected));
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
  EXPECT_TRUE(sameScreen(kit.screen(), failureScreens::generalHalt(70, before)));
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
      {53, {"a", "b"}, 70}, {53, {"a", "b"}, 53},         {53, {"a", "b"}, 76}, {53, {"a", "b"}, 75},
      {76, {"Y", "b"}, 70}, {76, {keys::enter, "b"}, 61}, {76, {"y", "b"}, 76}, {76, {"Y", "b"}, 53},
  };
  for (const Case& c : cases) {
    ScriptedConsole dev(c.keys);
    ConsoleKit k(dev, tables);
    MemorySystem mem;
    FailingSystem sys(mem);
    sys.failOn(FailingSystem::Op::writeFile, c.writeFailure, "KVELD.INI", -1);
    Program p(tables, k, sys);
    p.settingsValid = true;
    k.drawTitleScreen();
    const ScreenModel expected = failureScreens::generalHalt(c.writeFailure, k.screen());
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
    EXPECT_EQ(textAt(k.screen(), 28, 12, 21), " ERROR: " + std::to_string(c.writeFailure) + " , LINE: 0 ");
    EXPECT_TRUE(sameScreen(k.screen(), expected));
    EXPECT_TRUE(p.settingsValid);
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
  UnopenableConsole(int number, std::vector<std::string> keys)
      : ScriptedConsole(std::move(keys)), number_(number) {}
  void open(const std::string&) override {
    throw RunTimeError(number_, "the console cannot be set to 80 x 25");
  }

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
