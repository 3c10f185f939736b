#include "archive/end_of_set.h"

#include <gtest/gtest.h>

#include "core/flow_control.h"
#include "core/program.h"
#include "testing/program_parts.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"

namespace kveld {
namespace {

enum class Outcome { anotherSet, end, started };

// Runs the dialogs on a dealing screen with the progress line, as the
// archive steps leave it.
Outcome runDialogs(ProgramParts<>& p, const std::vector<std::string>& keys) {
  p.device.addKeys(keys);
  p.kit.drawTitleScreen();
  p.kit.setColour(yellow, blue);
  p.kit.printAt(30, 8, "Shuffling boards...");
  p.kit.printAt(28, 11, "Printing to file: Jan-01-M");
  p.program.settings = {"D:\\Deep Finesse", "DF.EXE"};
  p.program.driveSpec = "D:";
  try {
    endOfSetDialogs(p.program);
  } catch (const Reenter& r) {
    EXPECT_EQ(r.point, EntryPoint::titleScreen);
    return Outcome::anotherSet;
  } catch (const EndProgram& e) {
    EXPECT_EQ(e.exitCode, 0);
    return Outcome::end;
  }
  return Outcome::started;
}

struct EndOfSetTest : ::testing::Test, ProgramParts<> {
  Outcome run(const std::vector<std::string>& keys) { return runDialogs(*this, keys); }
};

TEST_F(EndOfSetTest, AnswersLeadWhereTheyShould) {
  const struct {
    std::vector<std::string> keys;
    Outcome outcome;
  } cases[] = {
      {{keys::enter, keys::enter}, Outcome::started},
      {{"n", "y"}, Outcome::started},
      {{keys::esc, "Y"}, Outcome::started},
      {{"N", keys::enter}, Outcome::started},
      {{"y"}, Outcome::anotherSet},
      {{"Y"}, Outcome::anotherSet},
      {{keys::enter, "n"}, Outcome::end},
      {{keys::enter, "N"}, Outcome::end},
      {{keys::esc, keys::esc}, Outcome::end},
  };
  for (const auto& c : cases) {
    ProgramParts<> p;
    EXPECT_EQ(runDialogs(p, c.keys), c.outcome) << testing::PrintToString(c.keys);
    EXPECT_EQ(p.device.keysLeft(), 0u);
    EXPECT_EQ(p.system.commands.size(), c.outcome == Outcome::started ? 1u : 0u);
  }
}

TEST_F(EndOfSetTest, QuestionsStandWhereTheyShouldAndTheScreenStays) {
  EXPECT_EQ(run({keys::enter, keys::enter}), Outcome::started);
  ASSERT_EQ(device.screensAtKeys().size(), 2u);
  const ScreenModel& first = device.screensAtKeys()[0];
  EXPECT_EQ(textAt(first, 25, 17, 32), "DONE.  Enter another set?  (y/N)");
  EXPECT_TRUE(allAttr(first, 25, 17, 32, yellow + 16 * blue));
  EXPECT_EQ(textAt(first, 28, 11, 26), "Printing to file: Jan-01-M");
  EXPECT_TRUE(cursorAt(first, 55, 17));
  EXPECT_EQ(textAt(first, 25, 20, 28), std::string(28, ' '));

  const ScreenModel& second = device.screensAtKeys()[1];
  EXPECT_EQ(textAt(second, 25, 20, 28), "Run Deep Finesse Now?  (Y/n)");
  EXPECT_EQ(second.cursorColumn, 49);
  EXPECT_EQ(second.cursorRow, 20);
  EXPECT_EQ(textAt(second, 25, 17, 32), "DONE.  Enter another set?  (y/N)");
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"notify2"});
  // DeepFinesse starts in its folder, after the drive chosen in setup, with
  // the last screen still shown.
  EXPECT_EQ(system.commands, std::vector<std::string>{"start [D:] [D:\\Deep Finesse] [DF.EXE]"});
  EXPECT_EQ(device.screen(), second);
}

TEST_F(EndOfSetTest, OtherKeysBeepAndChangeNothing) {
  EXPECT_EQ(run({"X", keys::up, "3", "n", keys::f10, "q", keys::esc}), Outcome::end);
  EXPECT_EQ(device.sounds(),
            (std::vector<std::string>{"notify2", "beep2", "beep2", "beep2", "beep2", "beep2"}));
  const auto& screens = device.screensAtKeys();
  ASSERT_EQ(screens.size(), 7u);
  for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(screens[i], screens[0]);
  for (std::size_t i = 5; i < 7; ++i) EXPECT_EQ(screens[i], screens[4]);
  EXPECT_TRUE(system.commands.empty());
}

TEST_F(EndOfSetTest, KeysTypedAheadAreNotDiscarded) {
  device.typeAhead({"y"});
  EXPECT_EQ(run({}), Outcome::anotherSet);
}

}  // namespace
}  // namespace kveld
