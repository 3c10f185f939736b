#include "deal/board_one.h"

#include "core/program.h"
#include "core/quit_question.h"
#include "deal/dealing.h"

namespace kveld {

namespace {

// Where a hand's four rows (spades to clubs) start, and the column of its
// suit symbols; the holding follows the symbol directly.
struct HandPlace {
  Seat seat;
  int firstRow;
  int column;
};
constexpr HandPlace kNorthPlace{Seat::North, 8, 37};
constexpr HandPlace kWestPlace{Seat::West, 12, 24};
constexpr HandPlace kEastPlace{Seat::East, 12, 50};
constexpr HandPlace kSouthPlace{Seat::South, 16, 37};

constexpr int kQuestionRow = 22;
constexpr int kAnswerColumn = 64;  // on the "Y" of "(Y/n)"

// Board 1 as the deal store holds it, drawn through the kit.
struct BoardOneView {
  ConsoleKit& kit;
  const ProgramTables& tables;
  const DealStore& deals;
};

void showSuit(const BoardOneView& v, const HandPlace& place, Suit suit) {
  const auto s = indexOf(suit);
  v.kit.moveTo(place.column, place.firstRow + static_cast<int>(s));
  v.kit.setColour(lightGray, blue);
  v.kit.print(v.tables.suitSymbol[s]);
  v.kit.setColour(lightCyan, blue);
  v.kit.print(suitHolding(v.deals.board(1), place.seat, suit));
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
  boxRow(14, t.sglV + " If the hand does not match, then you have    " + t.sglV, fullBlock);
  boxRow(15, t.sglV + " entered a faulty control number.  Try again. " + t.sglV, fullBlock);
  boxRow(16, t.sglBottomLeft + rule + t.sglBottomRight, upperHalf);
}

}  // namespace

void showBoardOne(ConsoleKit& kit, const ProgramTables& tables, const DealStore& deals) {
  const BoardOneView v{kit, tables, deals};
  for (Suit suit : kSuits) showSuit(v, kNorthPlace, suit);
  for (Suit suit : kSuits) {
    showSuit(v, kWestPlace, suit);
    showSuit(v, kEastPlace, suit);
  }
  for (Suit suit : kSuits) showSuit(v, kSouthPlace, suit);
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
