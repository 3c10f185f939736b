#include "app/main_flow.h"

#include <gtest/gtest.h>

#include "core/quit_question.h"
#include "core/flow_control.h"
#include "core/program.h"
#include "testing/fake_system.h"
#include "testing/program_parts.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"

namespace kveld {
namespace {

struct QuitTest : ::testing::Test, ProgramParts<> {
  QuitTest() {
    kit.drawTitleScreen();
    kit.setColour(white, blue);
    kit.printAt(39, 5, "12345");
  }
};

TEST_F(QuitTest, QuestionOnMessageRowWithCursorOnY) {
  device.typeAhead({"x"});  // discarded by the flush before the question
  device.addKeys({"y"});
  EXPECT_THROW(quitDialog(program), EndProgram);
  const ScreenModel& s = device.screensAtKeys().at(0);
  EXPECT_TRUE(showsQuitQuestion(s));
  EXPECT_TRUE(allAttr(s, 30, 22, 22, white + 16 * magenta));
  EXPECT_TRUE(allAttr(s, 4, 22, 26, yellow + 16 * blue));
  EXPECT_TRUE(cursorAt(s, 47, 22));
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"notify2"});
}

TEST_F(QuitTest, YesEnterEscEndWithAClearedScreen) {
  for (const std::string& key : std::vector<std::string>{"Y", "y", keys::enter, keys::esc}) {
    ScriptedConsole dev({key});
    ConsoleKit k(dev, tables);
    Program p(tables, k, system);
    k.drawTitleScreen();
    try {
      quitDialog(p);
      FAIL() << "quitDialog returned";
    } catch (const EndProgram& e) {
      EXPECT_EQ(e.exitCode, 0);
    }
    for (const Cell& c : k.screen().cells) {
      ASSERT_EQ(c.ch, ' ');
      ASSERT_EQ(c.attr, yellow + 16 * blue);
    }
  }
}

TEST_F(QuitTest, NoReentersAtTitleScreenAndOtherKeysBeep) {
  device.addKeys({"X", keys::up, keys::f10, "n"});
  try {
    quitDialog(program);
    FAIL() << "quitDialog returned";
  } catch (const Reenter& r) {
    EXPECT_EQ(r.point, EntryPoint::titleScreen);
  }
  EXPECT_EQ(device.sounds(), (std::vector<std::string>{"notify2", "beep2", "beep2", "beep2"}));
  for (const ScreenModel& s : device.screensAtKeys()) EXPECT_EQ(s, device.screensAtKeys().front());
}

// The run is cut short where it first touches a file, so that it does not
// depend on the steps behind: a failing settings read ends in a halt.
TEST(MainFlow, StartsConsoleWithTitleAndEndsWithZero) {
  ScriptedConsole device({"k"});
  FakeSystem system;
  system.failOn("readFile", err::kPermissionDenied, "KVELD.INI");
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_EQ(device.title(), "Kveld Archive");
  EXPECT_EQ(device.screen().at(3, 1).ch, 201);
  EXPECT_EQ(system.calls, std::vector<std::string>{"readFile KVELD.INI !"});
}

// Memory running out is shown as run-time error 7, not a crash.
TEST(MainFlow, RunningOutOfMemoryEndsInTheGeneralHalt) {
  ScriptedConsole device({"k"});
  FakeSystem system;
  system.beforeCall = [](const std::string& call, const std::string&) {
    if (call == "readFile") throw std::bad_alloc();
  };
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_EQ(textAt(device.screen(), 28, 12, 20), " ERROR: 7 , LINE: 0 ");
}

TEST(MainFlow, AnIncompleteSettingsFileLeadsIntoSetup) {
  const std::string incomplete = "DeepFinesseDirectory=E:\\DF\r\n";
  ScriptedConsole device({"e", keys::esc, "y"});
  FakeSystem system;
  system.files["KVELD.INI"] = incomplete;
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_TRUE(showsDrivePrompt(device.screensAtKeys().at(0)));
  EXPECT_TRUE(showsQuitQuestion(device.screensAtKeys().at(2)));
  EXPECT_EQ(system.files.at("KVELD.INI"), incomplete);
}

}  // namespace
}  // namespace kveld
