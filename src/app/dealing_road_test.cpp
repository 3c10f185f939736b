// The road from the control string to the dealt set, through the whole
// program on the scripted console. The screens of each step are their own
// tests' (deal/); here, that the steps follow one another as they should.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/main_flow.h"
#include "testing/fake_system.h"
#include "testing/installation.h"
#include "testing/reference_deals.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"

namespace kveld {
namespace {

// Keeps the board number of the progress screen each time the screen is
// shown while "Shuffling boards..." stands on it.
class RoadConsole : public ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  void present(const ScreenModel& s) override {
    ScriptedConsole::present(s);
    if (textAt(s, 30, 8, 19) == "Shuffling boards...") {
      progress.push_back(textAt(s, 49, 8, 4));
      pausesBefore.push_back(pauses().size());
    }
  }
  std::vector<std::string> progress;
  std::vector<std::size_t> pausesBefore;
};

// After the set: no other set, DeepFinesse not started.
const std::vector<std::string> kEndOfSet = {keys::enter, "n"};

// The first holding of each hand, where the diagram shows it.
void expectBoardOne(const ScreenModel& s, const reference::ReferenceBoard& board) {
  const int column[4] = {39, 52, 39, 26};  // N E S W, after the suit symbol
  const int row[4] = {8, 12, 16, 12};
  for (std::size_t seat = 0; seat < 4; ++seat) {
    const std::string_view hand = board.hands[seat];
    const std::string spades(hand.substr(0, hand.find(' ')));
    EXPECT_TRUE(showsAt(s, column[seat], row[seat], spades + " ")) << seat;
  }
}

TEST(DealingRoad, ControlStringBoardOneAndTheRemainingBoards) {
  Installation installed;
  RoadConsole device(keys::typed("1000100006\r"));
  device.addKeys({keys::enter});
  device.addKeys(kEndOfSet);
  FakeSystem system(FakeSystem::onDisk);
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_EQ(device.keysLeft(), 0u);
  ASSERT_EQ(device.screensAtKeys().size(), 14u);

  const ScreenModel& question = device.screensAtKeys()[11];
  EXPECT_TRUE(showsAt(question, 39, 5, "1000100006"));
  expectBoardOne(question, reference::kExampleABoardOne);
  EXPECT_TRUE(showsAt(question, 13, 22, "Does this deal match Board #1 on the handrecord?  (Y/n)"));

  // Boards 2 to 24 counted before the pause, nothing after it.
  std::vector<std::string> beforePause;
  for (std::size_t i = 0; i < device.progress.size(); ++i)
    if (device.pausesBefore[i] == 0) beforePause.push_back(device.progress[i]);
  ASSERT_EQ(beforePause.size(), 24u);
  EXPECT_EQ(beforePause.front(), " 2  ");
  EXPECT_EQ(beforePause.back(), " 24 ");
  EXPECT_EQ(device.pauses(), std::vector<int>{1000});
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"notify2"});  // only the end-of-set question

  // The boards reach the archive as dealt.
  const std::string archive = installed.archive("Jan-01-M.txt");
  for (const reference::ReferenceBoard& board : reference::kExampleA)
    for (std::string_view hand : board.hands) EXPECT_NE(archive.find(hand), std::string::npos) << hand;
}

TEST(DealingRoad, NoAtBoardOneAsksForTheStringAgainInTheSameFrame) {
  Installation installed;
  RoadConsole device(keys::typed("0102230455\r"));
  device.addKeys({"n", "x"});
  device.addKeys(keys::typed("1000100006\r"));
  device.addKeys({keys::enter});
  device.addKeys(kEndOfSet);
  FakeSystem system(FakeSystem::onDisk);
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_EQ(device.keysLeft(), 0u);

  const auto& at = device.screensAtKeys();
  ASSERT_EQ(at.size(), 27u);
  expectBoardOne(at[11], reference::kExampleBBoardOne);
  EXPECT_EQ(at[12].at(17, 13).ch, 218);  // the faulty-number box
  // The prompt again, as it stood before the first string was typed.
  EXPECT_EQ(at[13], at[0]);
  expectBoardOne(at[24], reference::kExampleABoardOne);
  EXPECT_EQ(device.progress.back(), " 24 ");
  EXPECT_NE(installed.archive("Jan-01-M.txt").find("K64 3 Q6532 J542"), std::string::npos);
}

// The file of each kind of set, as the interactive program names and
// writes it: its name, its heading and its length.
TEST(DealingRoad, EachKindOfSetGetsItsFile) {
  struct Case {
    const char* control;
    const char* file;
    const char* heading;
    std::size_t lines;
  };
  const Case cases[] = {
      {"1000100006", "Jan-01-M.txt", "January 1,      Morning", 148},  // 24 boards
      {"123456789X", "Aug-23-M.txt", "August 23,      Morning", 220},  // 36 boards
      {"0000000000", "Jan-00-S.txt", "January 0,      Session", 148},  // session 0 and day 0
      {"506020300X", "Jan-00-A.txt", "January 0,      Afternoon", 148},  // day 0 of a later year
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    Installation installed;
    ScriptedConsole device(keys::typed(std::string(c.control) + "\r"));
    device.addKeys({keys::enter});
    device.addKeys(kEndOfSet);
    FakeSystem system(FakeSystem::onDisk);
    EXPECT_EQ(runProgram(device, system), 0);
    const std::string archive = installed.archive(c.file);
    EXPECT_EQ(static_cast<std::size_t>(std::count(archive.begin(), archive.end(), '\n')), c.lines);
    EXPECT_EQ(archive.substr(81, 11 + std::string(c.heading).size() + 2),
              "--         " + std::string(c.heading) + "\r\n");
  }
}

}  // namespace
}  // namespace kveld
