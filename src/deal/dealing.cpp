#include "deal/dealing.h"

#include "core/program.h"
#include "rules/dealer.h"

namespace kveld {

namespace {

// Where the progress screen shows the number of the board being dealt.
constexpr int kProgressColumn = 49;
constexpr int kProgressRow = 8;

}  // namespace

void seedGenerator(Program& p) { p.generatorState = seededState(p.params); }

void dealBoards(Program& p, int first, int last) {
  SetDealer dealer(p.generatorState);
  p.deals.hold(dealer.deal(first, last, [&p, first](int board) {
    if (first > 1) {
      p.kit.moveTo(kProgressColumn, kProgressRow);
      p.kit.printNumber(board);
      p.kit.present();
    }
  }));
  p.generatorState = dealer.state();
}

void shuffleRemainingBoards(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.clearWorkArea();
  kit.setColour(yellow, blue);
  kit.printAt(30, kProgressRow, "Shuffling boards...");
  kit.setColour(lightCyan, blue);
  dealBoards(p, 2, p.params.boardCount);
  kit.pause(1000);
}

}  // namespace kveld
