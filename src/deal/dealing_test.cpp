#include "deal/dealing.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/program.h"
#include "testing/program_parts.h"
#include "testing/reference_deals.h"
#include "testing/scripted_console.h"
#include "testing/set_values.h"

namespace kveld {
namespace {

const SetParameters kExampleA = setOf(1, 1, 1, 1, 0, 24);

// A scripted console that keeps what each present() showed at the board
// number's place of the progress screen.
class ProgressConsole : public ScriptedConsole {
 public:
  void present(const ScreenModel& s) override {
    ScriptedConsole::present(s);
    shown.push_back(textAt(s, 49, 8, 4));
    attrs.push_back(s.at(50, 8).attr);
  }
  std::vector<std::string> shown;
  std::vector<int> attrs;
};

struct ProgressTest : ::testing::Test, ProgramParts<ProgressConsole> {
  ProgressTest() {
    kit.drawTitleScreen();
    kit.printAt(13, 5, "Enter DF control string:");
  }
};

TEST_F(ProgressTest, BoardOneAloneShowsNothing) {
  program.params = kExampleA;
  const ScreenModel before = kit.screen();
  seedGenerator(program);
  dealBoards(program, 1, 1);
  EXPECT_EQ(kit.screen(), before);
  EXPECT_EQ(program.deals.board(1), reference::boardOf(reference::kExampleABoardOne));
}

TEST_F(ProgressTest, CountsTheRemainingBoardsThenPausesOneSecond) {
  program.params = kExampleA;
  seedGenerator(program);
  dealBoards(program, 1, 1);
  device.shown.clear();
  shuffleRemainingBoards(program);

  // Each number is shown before its board is dealt, over the one before;
  // the pause shows the last screen once more.
  std::vector<std::string> expected;
  for (int board = 2; board <= 24; ++board) {
    const std::string number = " " + std::to_string(board) + " ";
    expected.push_back(board < 10 ? number + " " : number);
  }
  expected.push_back(" 24 ");
  EXPECT_EQ(device.shown, expected);
  for (int attr : device.attrs) EXPECT_EQ(attr, lightCyan + 16 * blue);
  EXPECT_EQ(device.pauses(), std::vector<int>{1000});
  EXPECT_EQ(device.events().back().kind, ScriptedConsole::Event::pause);

  const ScreenModel& s = device.screen();
  EXPECT_EQ(textAt(s, 30, 8, 19), "Shuffling boards...");
  EXPECT_TRUE(allAttr(s, 30, 8, 19, yellow + 16 * blue));
  EXPECT_FALSE(s.cursorVisible);
  EXPECT_EQ(textAt(s, 13, 5, 24), std::string(24, ' '));  // the work area was cleared
  EXPECT_EQ(s.at(3, 5).ch, 186);                          // and the frame kept
  EXPECT_EQ(program.deals.board(24), reference::boardOf(reference::kExampleA[3]));
}

TEST_F(ProgressTest, ThirtySixBoardsEndAtThirtySix) {
  program.params = setOf(9, 2, 28, 4, 2767, 36);
  seedGenerator(program);
  dealBoards(program, 1, 1);
  shuffleRemainingBoards(program);
  EXPECT_EQ(textAt(device.screen(), 49, 8, 4), " 36 ");
  EXPECT_EQ(program.deals.board(36).number, 36);
}

}  // namespace
}  // namespace kveld
