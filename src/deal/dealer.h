#pragma once
namespace kveld {
struct Program;
// Deals Boards 2 to boardCount with the progress screen.
void shuffleRemainingBoards(Program& program);
}  // namespace kveld
