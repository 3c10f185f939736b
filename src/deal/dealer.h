#pragma once
// The dealer: seeds the generator from a set's values and deals its boards,
// card for card as the hand record shows them.
#include <array>
#include <cstdint>

#include "deal/deal_store.h"
#include "deal/generator.h"

namespace kveld {
struct Program;
struct ProgramTables;

using Deck = std::array<std::int16_t, 52>;

// The largest number of cards that East's and West's longest suits may hold
// together: they stand side by side in a diagram.
constexpr int kWidestPair = 22;

// Deals one board into the store with positions from `source`: 52 draws per
// attempt, North, East, South, West in turn for thirteen rounds; an attempt
// that fails the width test is thrown away and the board dealt again from
// the source's next positions. Returns the number of attempts.
int dealBoard(DealStore& store, Deck& deck, int board, PositionSource& source, const ProgramTables& tables);

// Fills suitHolding, suitLength and handLine of a board from its handBits.
void describeBoard(DealStore& store, int board, const ProgramTables& tables);

// Sets the program's generator to the state from which Board 1 is dealt.
void seedGenerator(Program& program);

// Deals boards first..last from the program's generator. When dealing the
// remaining boards (first above 1), each board's number is shown on the
// progress screen before it is dealt.
void dealBoards(Program& program, int first, int last);

// The progress screen, Boards 2 to boardCount, and a pause of one second.
void shuffleRemainingBoards(Program& program);

}  // namespace kveld
