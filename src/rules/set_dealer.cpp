#include "rules/set_dealer.h"

#include <algorithm>
#include <array>

#include "rules/dealer.h"
#include "rules/hands.h"

namespace kveld {

std::uint32_t dealSetCards(DealStore& store, const SetParameters& params) {
  Generator generator(seededState(params));
  const int last = std::min<int>(params.boardCount, kMaxBoards);
  for (int board = 1; board <= last; ++board) {
    HandWords hands{};
    dealHands(hands, generator, kWidestPair);
    auto& bits = store.handBits[static_cast<std::size_t>(board)];
    for (std::size_t seat = 0; seat < 4; ++seat)
      for (int suit = 0; suit < 4; ++suit)
        bits[seat][static_cast<std::size_t>(suit)] = static_cast<std::int16_t>(suitBits(hands[seat], suit));
  }
  store.currentBoard = static_cast<std::int16_t>(last);
  return generator.state();
}

}  // namespace kveld
