#pragma once
// The dealing steps of the interactive program: Board 1 before it is shown,
// then the remaining boards behind a progress screen.

namespace kveld {
struct Program;

// Sets the program's generator to the state from which Board 1 is dealt.
void seedGenerator(Program& program);

// Deals boards first..last from the program's generator. When dealing the
// remaining boards (first above 1), each board's number is shown on the
// progress screen before it is dealt.
void dealBoards(Program& program, int first, int last);

// The progress screen, Boards 2 to boardCount, and a pause of one second.
void shuffleRemainingBoards(Program& program);

}  // namespace kveld
