#include "deal/board_one.h"

#include "core/program.h"
#include "core/quit_question.h"
#include "deal/dealing.h"

namespace kveld {

namespace {

constexpr int kNorth = 0, kEast = 1, kSouth = 2, kWest = 3;

// Where a hand's four rows (spades to clubs) start, and the column of its
// suit symbols; the holding follows the symbol directly.
struct HandPlace {
  int seat;
  int firstRow;
  int column;
};
constexpr HandPlace kNorthPlace{kNorth, 8, 37};
constexpr HandPlace kWestPlace{kWest, 12, 24};
constexpr HandPlace kEastPlace{kEast, 12, 50};
constexpr HandPlace kSouthPlace{kSouth, 16, 37};

constexpr int kQuestionRow = 22;
constexpr int kAnswerColumn = 64;  // on the "Y" of "(Y/n)"

// Board 1 as the deal store holds it, drawn through the kit.
struct BoardOneView {
  ConsoleKit& kit;
  const ProgramTables& tables;
  const DealStore& deals;
};

void showSuit(const BoardOneView& v, const HandPlace& place, int suit) {
  const auto s = static_cast<std::size_t>(suit);
  v.kit.moveTo(place.column, place.firstRow + suit);
  v.kit.setColour(lightGray, blue);
  v.kit.print(v.tables.suitSymbol[s]);
  v.kit.setColour(lightCyan, blue);
  v.kit.print(v.deals.suitHolding[1][static_cast<std::size_t>(place.seat)][s]);
}

std::string repeated(const std::string& piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

// The framed message that the control number was faulty: a bright white box
// in columns 17 to 64, rows 13 to 16, with a black shadow to its right and
// half a row above it.
void showFaultyNumberBox(Program& p) {
  const ProgramTables& t = p.tables;
  ConsoleKit& kit = p.kit;
  p.boxText[1] = " If the hand does not match, then you have    ";
  p.boxText[2] = " entered a faulty control number.  Try again. ";
  const std::string lowerHalf(1, static_cast<char>(220)), fullBlock(1, static_cast<char>(219)),
      upperHalf(1, static_cast<char>(223));
  const std::string rule = repeated(t.sglH, 46);

  auto boxRow = [&](int row, const std::string& text, const std::string& shadow) {
    kit.setColour(blue, white);
    kit.printAt(17, row, text);
    kit.setColour(black, blue);
    kit.print(shadow);
  };
  kit.setColour(black, blue);
  kit.printAt(18, 12, repeated(lowerHalf, 48));
  boxRow(13, t.sglTopLeft + rule + t.sglTopRight, fullBlock);
  boxRow(14, t.sglV + p.boxText[1] + t.sglV, fullBlock);
  boxRow(15, t.sglV + p.boxText[2] + t.sglV, fullBlock);
  boxRow(16, t.sglBottomLeft + rule + t.sglBottomRight, upperHalf);
}

}  // namespace

void showBoardOne(ConsoleKit& kit, const ProgramTables& tables, const DealStore& deals) {
  const BoardOneView v{kit, tables, deals};
  for (int suit = 0; suit < 4; ++suit) showSuit(v, kNorthPlace, suit);
  for (int suit = 0; suit < 4; ++suit) {
    showSuit(v, kWestPlace, suit);
    showSuit(v, kEastPlace, suit);
  }
  for (int suit = 0; suit < 4; ++suit) showSuit(v, kSouthPlace, suit);
}

void confirmBoardOne(Program& p) {
  ConsoleKit& kit = p.kit;
  seedGenerator(p);
  dealBoards(p, 1, 1);
  showBoardOne(p.kit, p.tables, p.deals);

  p.dealConfirmed = false;
  kit.setColour(yellow, blue);
  kit.showCursor();
  kit.printAt(13, kQuestionRow, "Does this deal match Board #1 on the handrecord?  (Y/n)");
  kit.moveTo(kAnswerColumn, kQuestionRow);
  // Keys typed earlier are not discarded: the answer may already be waiting.
  switch (kit.askYesNo(Answer::yes)) {
    case Answer::escape: quitDialog(p);
    case Answer::yes: p.dealConfirmed = true; return;
    case Answer::no:
      showFaultyNumberBox(p);
      kit.hideCursor();
      kit.setColour(yellow, blue);
      kit.waitAnyKey(false);  // no sound, earlier keys kept
      return;
  }
}

}  // namespace kveld
