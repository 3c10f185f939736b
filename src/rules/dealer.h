#pragma once
// The dealer: deals a set's boards from the seeded generator, card for card
// as the hand record shows them. Nothing here shows anything; a caller that
// shows the dealing is told each board's number before the board is dealt.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "rules/board.h"
#include "rules/generator.h"
#include "rules/set_parameters.h"

namespace kveld {

// The largest number of cards that East's and West's longest suits may hold
// together: they stand side by side in a diagram.
constexpr int kWidestPair = 22;

// Deals the cards of one board with positions from `source`: 52 draws per
// attempt, North, East, South, West in turn for thirteen rounds, each card
// taken from its position in the deck and the deck's last card moved there.
// An attempt that fails the width test is thrown away and the board dealt
// again from the source's next positions. Returns the number of attempts.
template <PositionSource Source>
int dealCards(Board& board, Source& source);

// Called with a board's number just before the board is dealt.
using DealProgress = std::function<void(int boardNumber)>;

// The stream of boards of one set: each board is dealt from where the one
// before it left the generator.
class SetDealer {
 public:
  // Ready to deal Board 1 of the set.
  explicit SetDealer(const SetParameters& set) : generator_(seededState(set)) {}
  // Goes on from a generator state that an earlier dealer left.
  explicit SetDealer(std::uint32_t state) : generator_(state) {}

  // Deals boards first..last (last at most kMaxBoards) in turn.
  std::vector<Board> deal(int first, int last, const DealProgress& beforeBoard = {});
  std::uint32_t state() const { return generator_.state(); }

 private:
  Generator generator_;
};

// Seeds the generator from the set's values and deals Boards 1..boardCount
// (at most kMaxBoards); index 0 holds Board 1.
std::vector<Board> dealSet(const SetParameters& set, const DealProgress& beforeBoard = {});

namespace dealing {
// The deck of one attempt. Each card is kept as the place of its bit in a
// hand word of 64 bits, 16 x suit + rank index, so that taking it is one
// shift and the four hands stay in registers while they are dealt.
using CardDeck = std::array<std::uint8_t, 52>;
constexpr int kSuitShift = 16;
// Cards 0..51 in order: the ace of spades to the two of clubs.
constexpr CardDeck kFullDeck = [] {
  CardDeck deck{};
  for (int card = 0; card < 52; ++card)
    deck[static_cast<std::size_t>(card)] =
        static_cast<std::uint8_t>(kSuitShift * (card / kRanks) + card % kRanks);
  return deck;
}();
}  // namespace dealing

template <PositionSource Source>
int dealCards(Board& board, Source& source) {
  using namespace dealing;
  for (int attempt = 1;; ++attempt) {
    CardDeck deck = kFullDeck;
    std::array<std::uint64_t, 4> hands{};
    int n = 52;
    for (int round = 0; round < kRanks; ++round) {
      for (std::uint64_t& hand : hands) {
        // The last card (n = 0) still costs a draw, so that every attempt
        // takes exactly 52 values from the source.
        --n;
        const auto p = static_cast<std::size_t>(source.draw(n));
        const unsigned card = deck[p];
        deck[p] = deck[static_cast<std::size_t>(n)];
        hand |= std::uint64_t{1} << card;
      }
    }
    for (Seat seat : kSeats)
      for (Suit suit : kSuits)
        board.cards[indexOf(seat)][indexOf(suit)] =
            static_cast<Holding>((hands[indexOf(seat)] >> (kSuitShift * indexOf(suit))) & 0x1FFFu);
    if (board.longestSuit(Seat::East) + board.longestSuit(Seat::West) <= kWidestPair) return attempt;
  }
}

}  // namespace kveld
