// The road from the control string to the dealt set, through the whole
// program on the scripted console.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/console_kit.h"
#include "app/main_flow.h"
#include "core/program_tables.h"
#include "testing/program_path.h"
#include "testing/reference_deals.h"
#include "testing/recording_system.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"
#include "testing/temp_folder.h"

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
      progressAttr.push_back(s.at(50, 8).attr);
      pausesBefore.push_back(pauses().size());
    }
  }
  std::vector<std::string> progress;
  std::vector<int> progressAttr;
  std::vector<std::size_t> pausesBefore;
};

void put(ScreenModel& s, int column, int row, const std::string& text, int attr) {
  for (char c : text)
    s.at(column++, row) = Cell{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(attr)};
}

// A temporary current folder with valid settings naming a DeepFinesse
// folder that has its archive folder.
struct Installed {
  Installed() {
    std::filesystem::create_directories(folder.path() / "DF" / "DEALAR~1");
    std::ofstream("KVELD.INI", std::ios::binary)
        << "DeepFinesseDirectory=" << programPath(folder.path() / "DF") << "\r\nExecutableFile=DF.EXE\r\n";
  }
  std::string archive(const std::string& name) const {
    std::ifstream in(folder.path() / "DF" / "DEALAR~1" / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  NoWineDrives noWine;
  TempFolder folder;
};

// After the set: no other set, DeepFinesse not started.
const std::vector<std::string> kEndOfSet = {keys::enter, "n"};

// The title screen's frame with the work area cleared.
ScreenModel emptyFrame() {
  ProgramTables tables;
  initProgramTables(tables);
  ScriptedConsole device;
  ConsoleKit kit(device, tables);
  kit.drawTitleScreen();
  kit.clearWorkArea();
  return kit.screen();
}

TEST(DealingRoad, ControlStringBoardOneAndTheRemainingBoards) {
  Installed installed;
  RoadConsole device(keys::typed("1000100006\r"));
  device.addKeys({keys::enter});
  device.addKeys(kEndOfSet);
  RecordingSystem system;
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_EQ(device.keysLeft(), 0u);
  ASSERT_EQ(device.screensAtKeys().size(), 14u);

  ScreenModel expected = emptyFrame();
  const int normal = yellow + 16 * blue;
  put(expected, 13, 5, "Enter DF control string:", normal);
  put(expected, 39, 5, "1000100006", white + 16 * blue);
  put(expected, 73, 5, "H", normal);
  put(expected, 74, 5, "elp", brown + 16 * blue);
  const int firstRow[4] = {8, 12, 16, 12};
  const int column[4] = {37, 50, 37, 24};
  const char symbol[4] = {6, 3, 4, 5};
  for (std::size_t seat = 0; seat < 4; ++seat) {
    std::istringstream holdings{std::string(reference::kExampleABoardOne.hands[seat])};
    std::string holding;
    for (int suit = 0; suit < 4 && holdings >> holding; ++suit) {
      const int row = firstRow[seat] + suit;
      put(expected, column[seat], row, std::string(1, symbol[suit]) + " ", lightGray + 16 * blue);
      put(expected, column[seat] + 2, row, holding, lightCyan + 16 * blue);
    }
  }
  put(expected, 13, 22, "Does this deal match Board #1 on the handrecord?  (Y/n)", normal);

  const ScreenModel& question = device.screensAtKeys()[11];
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col)
      ASSERT_EQ(question.at(col, row), expected.at(col, row)) << "column " << col << " row " << row;
  EXPECT_TRUE(cursorAt(question, 64, 22));

  // Each board's number before it is dealt, the last screen once more for
  // the pause, and nothing after the pause but that same screen.
  std::vector<std::string> counted, beforePause;
  for (int board = 2; board <= 24; ++board)
    counted.push_back(" " + std::to_string(board) + (board < 10 ? "  " : " "));
  counted.push_back(" 24 ");
  for (std::size_t i = 0; i < device.progress.size(); ++i)
    if (device.pausesBefore[i] == 0) beforePause.push_back(device.progress[i]);
  EXPECT_EQ(beforePause, counted);
  for (int attr : device.progressAttr) EXPECT_EQ(attr, lightCyan + 16 * blue);
  EXPECT_EQ(device.pauses(), std::vector<int>{1000});
  EXPECT_EQ(textAt(device.screensAtKeys()[12], 49, 8, 4), " 24 ");
  EXPECT_EQ(device.sounds(), std::vector<std::string>{"notify2"});  // only the end-of-set question

  // The boards reach the archive as dealt.
  const std::string archive = installed.archive("Jan-01-M.txt");
  for (const reference::ReferenceBoard& board : reference::kExampleA)
    for (std::string_view hand : board.hands) EXPECT_NE(archive.find(hand), std::string::npos) << hand;
}

TEST(DealingRoad, NoAtBoardOneAsksForTheStringAgainInTheSameFrame) {
  Installed installed;
  RoadConsole device(keys::typed("0102230455\r"));
  device.addKeys({"n", "x"});
  device.addKeys(keys::typed("1000100006\r"));
  device.addKeys({keys::enter});
  device.addKeys(kEndOfSet);
  RecordingSystem system;
  EXPECT_EQ(runProgram(device, system), 0);
  EXPECT_EQ(device.keysLeft(), 0u);

  const auto& at = device.screensAtKeys();
  ASSERT_EQ(at.size(), 27u);
  EXPECT_EQ(textAt(at[11], 39, 8, 6), std::string(reference::kExampleBBoardOne.hands[0].substr(0, 6)));
  EXPECT_EQ(at[12].at(17, 13).ch, 218);  // the faulty-number box

  // The prompt again: the work area cleared, the frame as before.
  ScreenModel expected = emptyFrame();
  const ScreenModel& prompt = at[13];
  for (int row = 1; row <= 25; ++row)
    for (int col = 1; col <= 80; ++col) {
      if (row == 5) continue;
      ASSERT_EQ(prompt.at(col, row), expected.at(col, row)) << "column " << col << " row " << row;
    }
  EXPECT_EQ(textAt(prompt, 13, 5, 24), "Enter DF control string:");
  EXPECT_EQ(textAt(prompt, 36, 5, 15), ":" + std::string(14, ' '));
  EXPECT_EQ(prompt.cursorColumn, 39);

  EXPECT_EQ(textAt(at[24], 39, 8, 2), "98");  // Example A's Board 1
  EXPECT_EQ(device.progress.back(), " 24 ");
  EXPECT_NE(installed.archive("Jan-01-M.txt").find("K64 3 Q6532 J542"), std::string::npos);
}

}  // namespace
}  // namespace kveld
