#include "deal/board_one.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/flow_control.h"
#include "core/program.h"
#include "testing/program_parts.h"
#include "testing/reference_deals.h"
#include "testing/screen_checks.h"
#include "testing/scripted_console.h"
#include "testing/set_values.h"

namespace kveld {
namespace {

constexpr int kNormal = yellow + 16 * blue;
constexpr int kSymbol = lightGray + 16 * blue;
constexpr int kHolding = lightCyan + 16 * blue;
constexpr int kBox = blue + 16 * white;
constexpr int kShadow = black + 16 * blue;

struct BoardOneTest : ::testing::Test, ProgramParts<> {
  BoardOneTest() {
    kit.drawTitleScreen();
    kit.clearWorkArea();
    kit.printAt(13, 5, "Enter DF control string:");
    kit.setColour(white, blue);
    kit.printAt(39, 5, "1000100006");
    program.params = decodedSet(1, 1, 1, 1, 0, 1, 24);  // the values of 1000100006
  }
  const ScreenModel& atKey(std::size_t i) const { return device.screensAtKeys().at(i); }

  const ProgramTables& t = tables;
};

// Writes a text into a screen model cell by cell, for the expected screens.
void put(ScreenModel& s, int column, int row, const std::string& text, int attr) {
  for (char c : text)
    s.at(column++, row) = Cell{static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(attr)};
}

TEST_F(BoardOneTest, DiagramOfExampleACellByCell) {
  device.addKeys({keys::enter});
  ScreenModel expected = kit.screen();
  confirmBoardOne(program);

  struct Hand {
    int firstRow, column;
    std::string_view line;  // the hand record's hand line
  };
  const reference::HandLines& a = reference::kExampleABoardOne.hands;
  const Hand hands[] = {{8, 37, a[0]}, {12, 24, a[3]}, {12, 50, a[1]}, {16, 37, a[2]}};  // N W E S
  const char symbols[] = {6, 3, 4, 5};
  for (const Hand& h : hands) {
    std::istringstream holdings{std::string(h.line)};
    std::string holding;
    for (int suit = 0; suit < 4 && holdings >> holding; ++suit) {
      put(expected, h.column, h.firstRow + suit, std::string(1, symbols[suit]) + " ", kSymbol);
      put(expected, h.column + 2, h.firstRow + suit, holding, kHolding);
    }
  }
  put(expected, 13, 22, "Does this deal match Board #1 on the handrecord?  (Y/n)", kNormal);

  const ScreenModel& shown = atKey(0);
  for (int row = 1; row <= 25; ++row)
    for (int column = 1; column <= 80; ++column)
      ASSERT_EQ(shown.at(column, row), expected.at(column, row)) << "column " << column << " row " << row;
  EXPECT_TRUE(cursorAt(shown, 64, 22));
  EXPECT_TRUE(program.dealConfirmed);
  EXPECT_TRUE(device.sounds().empty());
}

TEST_F(BoardOneTest, YesAndEnterConfirmWithKeysTypedAhead) {
  for (const std::string& key : {std::string("y"), std::string("Y"), keys::enter}) {
    ScriptedConsole dev;
    dev.typeAhead({key});  // typed before the question: not discarded
    ConsoleKit k(dev, t);
    Program p(t, k, system);
    p.params = program.params;
    p.dealConfirmed = false;
    confirmBoardOne(p);
    EXPECT_TRUE(p.dealConfirmed);
    for (const auto& e : dev.events()) EXPECT_NE(e.kind, ScriptedConsole::Event::flush);
  }
}

TEST_F(BoardOneTest, OtherKeysBeepAndTheQuestionWaits) {
  device.addKeys({keys::up, keys::f1, "X", "\x03", "y"});
  confirmBoardOne(program);
  EXPECT_TRUE(program.dealConfirmed);
  EXPECT_EQ(device.sounds(), std::vector<std::string>(4, "beep2"));
  for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(atKey(i), atKey(0)) << i;
}

TEST_F(BoardOneTest, NoShowsTheFaultyNumberBoxAndWaitsForAnyKey) {
  for (const std::string no : {"n", "N"}) {
    ScriptedConsole dev;
    dev.typeAhead({no, keys::esc});  // Esc as the any key only returns
    ConsoleKit k(dev, t);
    k.drawTitleScreen();
    k.clearWorkArea();
    Program p(t, k, system);
    p.params = program.params;
    p.dealConfirmed = true;
    confirmBoardOne(p);
    EXPECT_FALSE(p.dealConfirmed);
    EXPECT_TRUE(dev.sounds().empty());
    ASSERT_EQ(dev.screensAtKeys().size(), 2u);
    for (const auto& e : dev.events()) EXPECT_NE(e.kind, ScriptedConsole::Event::flush);

    const ScreenModel& s = dev.screensAtKeys()[1];
    EXPECT_FALSE(s.cursorVisible);
    EXPECT_EQ(k.foreground(), yellow);
    EXPECT_EQ(k.background(), blue);

    auto cells = [&](int column, int row, int count, int ch, int attr) {
      for (int c = column; c < column + count; ++c) {
        EXPECT_EQ(s.at(c, row).ch, ch) << "column " << c << " row " << row;
        EXPECT_EQ(s.at(c, row).attr, attr) << "column " << c << " row " << row;
      }
    };
    cells(18, 12, 48, 220, kShadow);
    cells(17, 13, 1, 218, kBox);
    cells(18, 13, 46, 196, kBox);
    cells(64, 13, 1, 191, kBox);
    cells(65, 13, 1, 219, kShadow);
    for (int row : {14, 15}) {
      cells(17, row, 1, 179, kBox);
      cells(64, row, 1, 179, kBox);
      cells(65, row, 1, 219, kShadow);
      EXPECT_TRUE(allAttr(s, 18, row, 46, kBox));
    }
    EXPECT_EQ(textAt(s, 18, 14, 46), " If the hand does not match, then you have    ");
    EXPECT_EQ(textAt(s, 18, 15, 46), " entered a faulty control number.  Try again. ");
    cells(17, 16, 1, 192, kBox);
    cells(18, 16, 46, 196, kBox);
    cells(64, 16, 1, 217, kBox);
    cells(65, 16, 1, 223, kShadow);
    // Around the box and its shadow the diagram stays; so does the question.
    EXPECT_EQ(textAt(s, 37, 17, 5), std::string("\x03 Q75"));
    EXPECT_EQ(s.at(16, 14).attr, kNormal);
    EXPECT_EQ(s.at(66, 14).attr, kNormal);
    EXPECT_EQ(textAt(s, 13, 22, 55), "Does this deal match Board #1 on the handrecord?  (Y/n)");
    EXPECT_EQ(textAt(s, 37, 8, 4), std::string("\x06 98"));
  }
}

TEST_F(BoardOneTest, EscOpensTheQuitQuestion) {
  device.addKeys({keys::esc, "y"});
  EXPECT_THROW(confirmBoardOne(program), EndProgram);
  EXPECT_EQ(textAt(atKey(1), 30, 22, 22), " Quit program?  (Y/n) ");
}

TEST_F(BoardOneTest, EachCallDealsFromAFreshSeed) {
  device.addKeys({"n", "x", "y"});
  confirmBoardOne(program);
  program.deals.boards[1] = Board{};
  program.generatorState = 12345;
  confirmBoardOne(program);
  EXPECT_EQ(program.deals.board(1), reference::boardOf(reference::kExampleABoardOne));
  EXPECT_EQ(textAt(device.screen(), 39, 8, 6), "98    ");
}

TEST_F(BoardOneTest, VoidsAndAThirteenCardSuit) {
  Board& board = program.deals.boards[1];
  board = Board{};
  board.cards[indexOf(Seat::West)][indexOf(Suit::Spades)] = 0x1FFF;
  board.cards[indexOf(Seat::East)][indexOf(Suit::Hearts)] = 0x1FFF;
  showBoardOne(kit, tables, program.deals);
  const ScreenModel& s = kit.screen();
  EXPECT_EQ(textAt(s, 24, 12, 15), std::string("\x06 AKQJT98765432"));
  EXPECT_TRUE(allAttr(s, 26, 12, 13, kHolding));
  EXPECT_EQ(textAt(s, 39, 12, 11), std::string(11, ' '));
  EXPECT_EQ(textAt(s, 50, 12, 4), std::string("\x06 --"));
  EXPECT_EQ(textAt(s, 50, 13, 15), std::string("\x03 AKQJT98765432"));
  EXPECT_EQ(textAt(s, 37, 19, 4), std::string("\x05 --"));
  EXPECT_TRUE(allAttr(s, 37, 19, 2, kSymbol));
}

}  // namespace
}  // namespace kveld
