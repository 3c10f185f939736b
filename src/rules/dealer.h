#pragma once
// The dealer: deals a set's boards from the seeded generator, card for card
// as the hand record shows them. Nothing here shows anything; the dealing
// screens call these board by board.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "rules/board.h"
#include "rules/deal_store.h"
#include "rules/generator.h"
#include "rules/rule_tables.h"
#include "rules/set_parameters.h"

namespace kveld {

using Deck = std::array<std::int16_t, 52>;

// The largest number of cards that East's and West's longest suits may hold
// together: they stand side by side in a diagram.
constexpr int kWidestPair = 22;

// Called with a board's number just before the board is dealt.
using DealProgress = std::function<void(int boardNumber)>;

// Seeds the generator from the set's values and deals Boards 1..boardCount
// (at most kMaxBoards); index 0 holds Board 1.
std::vector<Board> dealSet(const SetParameters& set, const DealProgress& beforeBoard = {});

// Deals one board into the store with positions from `source`: 52 draws per
// attempt, North, East, South, West in turn for thirteen rounds; an attempt
// that fails the width test is thrown away and the board dealt again from
// the source's next positions. Returns the number of attempts.
template <PositionSource Source>
int dealBoard(DealStore& store, Deck& deck, int board, Source& source, const RuleTables& tables);

// Fills suitHolding, suitLength and handLine of a board from its handBits.
void describeBoard(DealStore& store, int board, const RuleTables& tables);

// Deals one board from the generator at `state` and returns the state that
// the next board is dealt from.
std::uint32_t dealNextBoard(DealStore& store, Deck& deck, int board, std::uint32_t state,
                            const RuleTables& tables);

// Deals the whole set, boards 1..boardCount (at most kMaxBoards), into the
// store: what the interactive program deals step by step, in one call.
void dealSet(DealStore& store, const SetParameters& set, const RuleTables& tables);

// Whether East's and West's longest suits fit side by side.
bool passesWidthTest(const DealStore& store, int board);

template <PositionSource Source>
int dealBoard(DealStore& store, Deck& deck, int board, Source& source, const RuleTables& t) {
  constexpr std::size_t seatCount = 4, rankCount = 13;
  auto& bits = store.handBits[static_cast<std::size_t>(board)];
  for (int attempt = 1;; ++attempt) {
    for (auto& seat : bits) seat.fill(0);
    for (std::size_t i = 0; i < deck.size(); ++i) deck[i] = static_cast<std::int16_t>(i);
    int n = static_cast<int>(deck.size());
    for (std::size_t round = 0; round < rankCount; ++round) {
      for (std::size_t seat = 0; seat < seatCount; ++seat) {
        // The last card (n = 0) still costs a draw, so that every attempt
        // takes exactly 52 values from the source.
        --n;
        const auto p = static_cast<std::size_t>(source.draw(n));
        const auto card = static_cast<std::size_t>(deck[p]);
        deck[p] = deck[static_cast<std::size_t>(n)];
        std::int16_t& suitBits = bits[seat][card / rankCount];
        suitBits = static_cast<std::int16_t>(suitBits + t.bitValue[card % rankCount]);
      }
    }
    describeBoard(store, board, t);
    if (passesWidthTest(store, board)) return attempt;
  }
}

}  // namespace kveld
