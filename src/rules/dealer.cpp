#include "rules/dealer.h"

#include <algorithm>
#include <bit>

#include "rules/hands.h"

namespace kveld {

namespace {

constexpr std::size_t kSeatCount = 4;
constexpr std::size_t kSuitCount = 4;
constexpr std::size_t kRankCount = 13;
constexpr int kEast = 1;
constexpr int kWest = 3;

int longestSuit(const DealStore& store, int board, int seat) {
  const auto& lengths = store.suitLength[static_cast<std::size_t>(board)][static_cast<std::size_t>(seat)];
  return *std::max_element(lengths.begin(), lengths.end());
}

}  // namespace

void describeBoard(DealStore& store, int board, const RuleTables& t) {
  char letter[kRankCount];
  for (std::size_t r = 0; r < kRankCount; ++r) letter[r] = t.rankLetter[r][0];
  const auto b = static_cast<std::size_t>(board);
  for (std::size_t seat = 0; seat < kSeatCount; ++seat) {
    std::string& line = store.handLine[b][seat];
    line.clear();
    for (std::size_t suit = 0; suit < kSuitCount; ++suit) {
      std::string& holding = store.suitHolding[b][seat][suit];
      // Bit r stands for rank index r, so the lowest bit set is the highest
      // card held.
      auto bits = static_cast<unsigned>(store.handBits[b][seat][suit]) & 0x1FFFu;
      if (bits == 0) {
        holding = t.voidMark;
        store.suitLength[b][seat][suit] = 0;
      } else {
        char held[kRankCount];
        std::size_t count = 0;
        for (; bits != 0 && count < kRankCount; bits &= bits - 1)
          held[count++] = letter[std::countr_zero(bits)];
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

std::uint32_t dealNextBoard(DealStore& store, Deck& deck, int board, std::uint32_t state,
                            const RuleTables& t) {
  Generator generator(state);
  dealBoard(store, deck, board, generator, t);
  return generator.state();
}

void dealSet(DealStore& store, const SetParameters& set, const RuleTables& t) {
  Deck deck{};
  std::uint32_t state = seededState(set);
  const int last = std::min<int>(set.boardCount, kMaxBoards);
  for (int board = 1; board <= last; ++board) {
    store.currentBoard = static_cast<std::int16_t>(board);
    state = dealNextBoard(store, deck, board, state, t);
  }
}

std::vector<Board> dealSet(const SetParameters& set, const DealProgress& beforeBoard) {
  Generator generator(seededState(set));
  const int last = std::min<int>(set.boardCount, kMaxBoards);
  std::vector<Board> boards(static_cast<std::size_t>(std::max(last, 0)));
  for (int number = 1; number <= last; ++number) {
    if (beforeBoard) beforeBoard(number);
    HandWords hands{};
    dealHands(hands, generator, kWidestPair);
    Board& board = boards[static_cast<std::size_t>(number - 1)];
    board.number = number;
    for (Seat seat : kSeats)
      for (Suit suit : kSuits)
        board.cards[indexOf(seat)][indexOf(suit)] =
            suitBits(hands[indexOf(seat)], static_cast<int>(indexOf(suit)));
  }
  return boards;
}

}  // namespace kveld
