#include "core/console_kit.h"

#include <gtest/gtest.h>

#include "testing/screen_checks.h"
#include "testing/scripted_console.h"

namespace kveld {
namespace {

struct KitTest : ::testing::Test {
  KitTest() { initProgramTables(tables); }
  ProgramTables tables;
  ScriptedConsole device;
  ConsoleKit kit{device, tables};
  const ScreenModel& screen() { return kit.screen(); }
  static int attr(int fg, int bg) { return fg + 16 * bg; }
};

TEST_F(KitTest, ClearWorkAreaKeepsFrame) {
  kit.drawTitleScreen();
  kit.setColour(white, magenta);
  kit.printAt(10, 10, "something");
  kit.clearWorkArea();
  for (int row = 4; row <= 23; ++row) {
    EXPECT_EQ(screen().at(3, row).ch, 186);
    EXPECT_EQ(screen().at(78, row).ch, 186);
    EXPECT_TRUE(allAttr(screen(), 4, row, 74, attr(yellow, blue)));
  }
  EXPECT_EQ(kit.foreground(), yellow);
  EXPECT_EQ(kit.background(), blue);
}

TEST_F(KitTest, MoveToZeroKeepsCoordinateAndColourKeepsBackground) {
  kit.moveTo(10, 5);
  kit.moveTo(0, 7);
  EXPECT_EQ(kit.cursorColumn(), 10);
  EXPECT_EQ(kit.cursorRow(), 7);
  kit.moveTo(20, 0);
  EXPECT_EQ(kit.cursorColumn(), 20);
  EXPECT_EQ(kit.cursorRow(), 7);
  kit.setColour(yellow, magenta);
  kit.setColour(white);
  kit.print("x");
  EXPECT_EQ(screen().at(20, 7).attr, attr(white, magenta));
  EXPECT_EQ(kit.cursorColumn(), 21);
}

TEST_F(KitTest, PrintLineOnLastRowScrolls) {
  kit.setColour(yellow, blue);
  kit.printAt(1, 24, "upper");
  kit.printLineAt(1, 25, "last");
  EXPECT_EQ(textAt(screen(), 1, 23, 5), "upper");
  EXPECT_EQ(textAt(screen(), 1, 24, 4), "last");
  EXPECT_EQ(textAt(screen(), 1, 25, 80), std::string(80, ' '));
  EXPECT_EQ(kit.cursorRow(), 25);
  EXPECT_EQ(kit.cursorColumn(), 1);
}

TEST_F(KitTest, NumberFormat) {
  EXPECT_EQ(numberText(9), " 9 ");
  EXPECT_EQ(numberText(36), " 36 ");
  EXPECT_EQ(numberText(-5), "-5 ");
  EXPECT_EQ(numberText(0), " 0 ");
}

// Every yes/no question shares this convention: Y and N in either case,
// Enter as the capital answer, Esc apart, everything else beep2 and wait.
TEST_F(KitTest, YesNoConvention) {
  struct Case {
    std::vector<std::string> keys;
    Answer enterMeans;
    Answer expected;
    int beeps;
  };
  const std::vector<Case> cases = {
      {{"Y"}, Answer::no, Answer::yes, 0},
      {{"y"}, Answer::no, Answer::yes, 0},
      {{"N"}, Answer::yes, Answer::no, 0},
      {{"n"}, Answer::yes, Answer::no, 0},
      {{keys::enter}, Answer::yes, Answer::yes, 0},
      {{keys::enter}, Answer::no, Answer::no, 0},
      {{keys::esc}, Answer::yes, Answer::escape, 0},
      {{"X", keys::up, keys::f1, keys::scan(134), "1", "\x03", "y"}, Answer::no, Answer::yes, 6},
  };
  for (const Case& c : cases) {
    ScriptedConsole dev(c.keys);
    ConsoleKit k(dev, tables);
    k.drawTitleScreen();
    k.printAt(30, 22, "Question?  (Y/n)");
    EXPECT_EQ(k.askYesNo(c.enterMeans), c.expected);
    EXPECT_EQ(dev.sounds(), std::vector<std::string>(static_cast<std::size_t>(c.beeps), "beep2"));
    // Nothing is redrawn between the keys.
    for (const ScreenModel& s : dev.screensAtKeys()) EXPECT_EQ(s, dev.screensAtKeys().front());
    EXPECT_EQ(dev.keysLeft(), 0u);
  }
}

TEST_F(KitTest, AnyKeyWaitFlushesOnlyWhenAsked) {
  device.typeAhead({"a"});
  device.addKeys({"b", "c"});
  kit.waitAnyKey(true);  // "a" is discarded, "b" ends the wait
  EXPECT_EQ(device.keysLeft(), 1u);
  device.typeAhead({"z"});
  kit.waitAnyKey(false);  // "z" typed before the wait ends it
  EXPECT_EQ(device.keysLeft(), 1u);
  EXPECT_EQ(kit.waitKey(), "c");
}

}  // namespace
}  // namespace kveld
