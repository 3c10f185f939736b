#include "fail/error_handler.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string_view>

#include "core/flow_control.h"
#include "core/program.h"
#include "testing/fake_system.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"

namespace kveld {
namespace {

constexpr int kYellowOnBlue = yellow + 16 * blue;
// The colours current when the error comes: the body is erased in them.
constexpr int kColoursAtError = lightCyan + 16 * red;
const std::string kSettings = "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n";

const ProgramTables& tables() {
  static const ProgramTables t = [] {
    ProgramTables filled;
    initProgramTables(filled);
    return filled;
  }();
  return t;
}

// How a call of the handler ended.
struct Outcome {
  std::optional<EntryPoint> reentered;
  std::optional<int> exitCode;
  std::optional<int> escapedError;
};

// One program with valid settings in memory and the title screen drawn,
// some text in the body and on the message row, and colours of their own
// current when the error comes.
struct Handler {
  Handler() {
    system.files["KVELD.INI"] = kSettings;
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

  ScriptedConsole device;
  ConsoleKit kit{device, tables()};
  FakeSystem system;
  Program program{tables(), kit, system};
  ScreenModel before;
};

bool insideBody(int column, int row) { return column >= 4 && column <= 77 && row >= 4 && row <= 23; }

// What every error screen does to the screen before it: the frame and all
// outside the body stay, the body is erased in `attr`.
void expectBodyErased(const ScreenModel& before, const ScreenModel& after, int attr) {
  for (int row = 1; row <= ScreenModel::kRows; ++row)
    for (int column = 1; column <= ScreenModel::kColumns; ++column)
      if (!insideBody(column, row)) {
        ASSERT_EQ(after.at(column, row), before.at(column, row)) << column << "," << row;
      }
  const std::pair<int, int> blanks[] = {{4, 4}, {77, 4}, {4, 23}, {77, 23}, {39, 5}, {4, 22}};
  for (const auto& [column, row] : blanks)
    EXPECT_EQ(after.at(column, row), (Cell{' ', static_cast<std::uint8_t>(attr)})) << column << "," << row;
}

using ScreenCheck = ::testing::AssertionResult (*)(const ScreenModel&);

::testing::AssertionResult showsHalt70(const ScreenModel& s) { return showsGeneralHalt(s, 70); }

// The number alone chooses the screen. Each waits for a fresh key but the
// general halt, which a key typed before it appeared ends at once.
TEST(Handler, EachScreenItsKeysAndItsEnd) {
  struct Case {
    int number;
    ScreenCheck shows;
    int erasedAttr;
    std::vector<std::string> keys;  // after "x", typed before the screen appeared
    std::optional<EntryPoint> reentered;
    std::string settingsAfter;
  };
  const Case cases[] = {
      {53, showsSettingsNotice, kColoursAtError, {"q"}, EntryPoint::readSettings, ""},
      {75, showsFileAccessError, kColoursAtError, {keys::esc}, std::nullopt, kSettings},
      {76, showsArchiveFolderQuestion, kColoursAtError, {"n"}, std::nullopt, kSettings},
      {70, showsHalt70, kYellowOnBlue, {}, std::nullopt, kSettings},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("error " + std::to_string(c.number));
    Handler h;
    h.device.typeAhead({"x"});
    h.device.addKeys(c.keys);
    const Outcome o = h.run(c.number);
    EXPECT_EQ(o.reentered, c.reentered);
    EXPECT_EQ(o.exitCode, c.reentered ? std::nullopt : std::optional<int>(0));
    EXPECT_EQ(h.device.keysLeft(), 0u);
    ASSERT_EQ(h.device.screensAtKeys().size(), 1u);
    // The screen stays until the next one draws over it.
    EXPECT_TRUE(c.shows(h.kit.screen()));
    EXPECT_EQ(h.kit.screen(), h.device.screensAtKeys()[0]);
    expectBodyErased(h.before, h.kit.screen(), c.erasedAttr);
    EXPECT_EQ(h.kit.foreground(), yellow);
    EXPECT_EQ(h.kit.background(), blue);
    EXPECT_EQ(h.device.events().front().text, "beep2");
    EXPECT_EQ(h.system.files.at("KVELD.INI"), c.settingsAfter);
  }
}

// The general halt written out once as the user sees it. The other screens
// are known here by the line that names each; their places and colours are
// held against a real terminal (tests/failures) and the Windows console
// (tests/wine).
TEST(Handler, GeneralHaltAsTheUserSeesIt) {
  Handler h;
  h.device.addKeys({"k"});
  h.run(70);
  const ScreenModel& s = h.kit.screen();
  // The address is the build's, after the request that begins at column 18.
  std::string contact = "  ║              Please email details to " KVELD_CONTACT;
  contact.resize(contact.size() + 36 - std::string_view(KVELD_CONTACT).size(), ' ');
  // Rows 4 to 23 of the body that hold nothing.
  auto empty = [](int rows) {
    std::string text;
    for (int i = 0; i < rows; ++i) text += "  ║                                                                          ║\n";
    return text;
  };
  EXPECT_EQ(screenText(s), "  ╔══════════════════════════════════════════════════════════════════════════╗\n"
                           "  ║   ♠  ♥  ♦  ♣   Pemwick's  KVELD CONVERTER                   ♠  ♥  ♦  ♣   ║\n"
                           "  ╠══════════════════════════════════════════════════════════════════════════╣\n" +
                               empty(8) +
                               "  ║                         ERROR: 70 , LINE: 0                              ║\n" +
                               empty(1) +
                               "  ║                       Sorry -- program halted.                           ║\n" +
                               empty(1) + contact + "║\n" + empty(7) +
                               "  ╚══════════════════════════════════════════════════════════════════════════╝\n"
                               "\n");
  // One colour in the body, whatever was current when the error came.
  for (int row = 4; row <= 23; ++row) EXPECT_TRUE(allAttr(s, 4, row, 74, kYellowOnBlue)) << row;
  EXPECT_TRUE(cursorAt(s, 1, 17));
}

TEST(Handler, ArchiveFolderQuestionAnswers) {
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
    SCOPED_TRACE("keys ending in " + c.keys.back());
    Handler h;
    h.device.addKeys(c.keys);
    const Outcome o = h.run(76);
    EXPECT_EQ(h.device.keysLeft(), 0u);
    EXPECT_EQ(h.device.sounds().size(), static_cast<std::size_t>(1 + c.beeps));
    // The cursor waits on the capital answer; an unaccepted key changes nothing.
    const ScreenModel& first = h.device.screensAtKeys().front();
    EXPECT_TRUE(showsAt(first, first.cursorColumn, first.cursorRow, "Y/n)"));
    for (const ScreenModel& s : h.device.screensAtKeys()) EXPECT_EQ(s, first);
    if (c.setup) {
      EXPECT_EQ(o.reentered, EntryPoint::setupCheck);
      EXPECT_FALSE(h.program.settingsValid);
      EXPECT_EQ(h.system.files.at("KVELD.INI"), "");
    } else {
      EXPECT_EQ(o.exitCode, 0);
      EXPECT_TRUE(h.program.settingsValid);
      EXPECT_EQ(h.system.files.at("KVELD.INI"), kSettings);
      EXPECT_TRUE(h.system.calls.empty());
    }
  }
}

TEST(Handler, GeneralHaltForEveryOtherNumber) {
  for (int number : {70, 61, 5, 7, 51, 62, 67, 68, 71, 72, 74, 0, 1, 52, 54, 77, 240, 1000}) {
    SCOPED_TRACE("error " + std::to_string(number));
    Handler h;
    h.device.addKeys({"k"});
    EXPECT_EQ(h.run(number).exitCode, 0);
    ASSERT_EQ(h.device.screensAtKeys().size(), 1u);
    EXPECT_TRUE(showsGeneralHalt(h.device.screensAtKeys()[0], number));
    EXPECT_EQ(h.device.sounds(), std::vector<std::string>{"beep2"});
    EXPECT_EQ(h.device.keysLeft(), 0u);
    EXPECT_TRUE(h.system.calls.empty());
  }
}

// When the handler cannot create or empty KVELD.INI itself, the run ends
// with the general halt showing that failure's number: it never goes round
// the handler again, whatever the number.
TEST(Handler, OwnSettingsFileFailureEndsInTheGeneralHalt) {
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
    SCOPED_TRACE("error " + std::to_string(c.error) + ", then " + std::to_string(c.writeFailure));
    Handler h;
    h.system.failOn("writeFile", c.writeFailure, "KVELD.INI", -1);
    h.device.addKeys(c.keys);
    EXPECT_EQ(h.run(c.error).exitCode, 0);
    EXPECT_EQ(h.system.calls, std::vector<std::string>{"writeFile KVELD.INI !"});
    EXPECT_EQ(h.device.keysLeft(), 0u);
    EXPECT_TRUE(showsGeneralHalt(h.kit.screen(), c.writeFailure));
    EXPECT_TRUE(h.program.settingsValid);
    EXPECT_EQ(h.system.files.at("KVELD.INI"), kSettings);
  }
}

TEST(Handler, OwnSettingsFileFailureFrom241OnIsLeftToTheMainFlow) {
  Handler h;
  h.device.addKeys({"a"});
  h.system.failOn("writeFile", 241, "KVELD.INI");
  EXPECT_EQ(h.run(53).escapedError, 241);
}

}  // namespace
}  // namespace kveld
