#include "analysis/deal_store_hands.h"

namespace kveld::analysis {

std::vector<BoardHands> handsOfSet(const DealStore& store, int boardCount) {
  std::vector<BoardHands> boards;
  for (int n = 1; n <= boardCount && n <= kMaxBoards; ++n) {
    BoardHands b;
    b.number = n;
    b.dealer = dealerOfBoard(n);
    b.vulnerability = vulnerabilityOfBoard(n);
    // The store keeps the same bits: rank index r (0 ace) in bit r.
    const auto& bits = store.board(n).cards;
    for (std::size_t seat = 0; seat < 4; ++seat) {
      for (std::size_t suit = 0; suit < 4; ++suit)
        b.cards[seat][suit] = static_cast<Holding>(bits[seat][suit]);
    }
    boards.push_back(b);
  }
  return boards;
}

}  // namespace kveld::analysis
