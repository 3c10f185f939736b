#include "deal/dealer.h"

#include <algorithm>

#include "app/program.h"

namespace kveld {

namespace {

constexpr int kSeats = 4;
constexpr int kSuits = 4;
constexpr int kRanks = 13;
constexpr int kEast = 1;
constexpr int kWest = 3;

int longestSuit(const DealStore& store, int board, int seat) {
  const auto& lengths = store.suitLength[static_cast<std::size_t>(board)][static_cast<std::size_t>(seat)];
  return *std::max_element(lengths.begin(), lengths.end());
}

}  // namespace

void describeBoard(DealStore& store, int board, const ProgramTables& t) {
  const auto b = static_cast<std::size_t>(board);
  for (std::size_t seat = 0; seat < kSeats; ++seat) {
    std::string& line = store.handLine[b][seat];
    line.clear();
    for (std::size_t suit = 0; suit < kSuits; ++suit) {
      const std::int16_t bits = store.handBits[b][seat][suit];
      std::string& holding = store.suitHolding[b][seat][suit];
      if (bits == 0) {
        holding = t.voidMark;
        store.suitLength[b][seat][suit] = 0;
      } else {
        // The ranks held, highest (rank index 0, the ace) first.
        char letters[kRanks];
        std::size_t count = 0;
        for (std::size_t r = 0; r < kRanks; ++r)
          if ((bits & t.bitValue[r]) != 0) letters[count++] = t.rankLetter[r][0];
        holding.assign(letters, count);
        store.suitLength[b][seat][suit] = static_cast<std::int16_t>(count);
      }
      line += holding;
      line += t.blank1;
    }
  }
}

int dealBoard(DealStore& store, Deck& deck, int board, PositionSource& source, const ProgramTables& t) {
  auto& bits = store.handBits[static_cast<std::size_t>(board)];
  for (int attempt = 1;; ++attempt) {
    for (auto& seat : bits) seat.fill(0);
    for (std::size_t i = 0; i < deck.size(); ++i) deck[i] = static_cast<std::int16_t>(i);
    int n = static_cast<int>(deck.size());
    for (int round = 0; round < kRanks; ++round) {
      for (std::size_t seat = 0; seat < kSeats; ++seat) {
        // The last card (n = 0) still costs a draw, so that every attempt
        // takes exactly 52 values from the source.
        --n;
        const auto p = static_cast<std::size_t>(source.draw(n));
        const int card = deck[p];
        deck[p] = deck[static_cast<std::size_t>(n)];
        std::int16_t& suitBits = bits[seat][static_cast<std::size_t>(card / kRanks)];
        suitBits = static_cast<std::int16_t>(suitBits + t.bitValue[static_cast<std::size_t>(card % kRanks)]);
      }
    }
    describeBoard(store, board, t);
    if (longestSuit(store, board, kEast) + longestSuit(store, board, kWest) <= kWidestPair) return attempt;
  }
}

void seedGenerator(Program& p) { p.generatorState = seededState(p.params); }

void dealBoards(Program& p, int first, int last) {
  Generator generator(p.generatorState);
  last = std::min(last, kMaxBoards);
  for (int board = std::max(first, 1); board <= last; ++board) {
    p.deals.currentBoard = static_cast<std::int16_t>(board);
    if (first > 1) {
      p.kit.moveTo(49, 8);
      p.kit.printNumber(board);
      p.kit.present();
    }
    dealBoard(p.deals, p.deck, board, generator, p.tables);
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
