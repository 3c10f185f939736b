#include "deal/dealer.h"

#include <algorithm>
#include <bit>

#include "app/program.h"

namespace kveld {

namespace {

constexpr std::size_t kSeats = 4;
constexpr std::size_t kSuits = 4;
constexpr std::size_t kRanks = 13;
constexpr int kEast = 1;
constexpr int kWest = 3;

int longestSuit(const DealStore& store, int board, int seat) {
  const auto& lengths = store.suitLength[static_cast<std::size_t>(board)][static_cast<std::size_t>(seat)];
  return *std::max_element(lengths.begin(), lengths.end());
}

}  // namespace

void describeBoard(DealStore& store, int board, const ProgramTables& t) {
  char letter[kRanks];
  for (std::size_t r = 0; r < kRanks; ++r) letter[r] = t.rankLetter[r][0];
  const auto b = static_cast<std::size_t>(board);
  for (std::size_t seat = 0; seat < kSeats; ++seat) {
    std::string& line = store.handLine[b][seat];
    line.clear();
    for (std::size_t suit = 0; suit < kSuits; ++suit) {
      std::string& holding = store.suitHolding[b][seat][suit];
      // Bit r stands for rank index r, so the lowest bit set is the highest
      // card held.
      auto bits = static_cast<unsigned>(store.handBits[b][seat][suit]) & 0x1FFFu;
      if (bits == 0) {
        holding = t.voidMark;
        store.suitLength[b][seat][suit] = 0;
      } else {
        char held[kRanks];
        std::size_t count = 0;
        for (; bits != 0 && count < kRanks; bits &= bits - 1) held[count++] = letter[std::countr_zero(bits)];
        holding.assign(held, count);
        store.suitLength[b][seat][suit] = static_cast<std::int16_t>(count);
      }
      line += holding;
      line += t.blank1;
    }
  }
}

bool passesWidthTest(const DealStore& store, int board) {
  return longestSuit(store, board, kEast) + longestSuit(store, board, kWest) <= kWidestPair;
}

void seedGenerator(Program& p) { p.generatorState = seededState(p.params); }

void dealBoards(Program& p, int first, int last) {
  last = std::min(last, kMaxBoards);
  for (int board = std::max(first, 1); board <= last; ++board) {
    p.deals.currentBoard = static_cast<std::int16_t>(board);
    if (first > 1) {
      p.kit.moveTo(49, 8);
      p.kit.printNumber(board);
      p.kit.present();
    }
    Generator generator(p.generatorState);
    dealBoard(p.deals, p.deck, board, generator, p.tables);
    p.generatorState = generator.state();
  }
}

void shuffleRemainingBoards(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.clearWorkArea();
  kit.setColour(yellow, blue);
  kit.moveTo(30, 8);
  kit.print("Shuffling boards...");
  kit.setColour(lightCyan, blue);
  dealBoards(p, 2, p.params.boardCount);
  kit.pause(1000);
}

}  // namespace kveld
