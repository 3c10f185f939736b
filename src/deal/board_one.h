#pragma once
// Board 1 as a bridge diagram, and the user's confirmation that it matches
// the hand record before the rest of the set is dealt.
namespace kveld {
struct Program;

// Seeds the generator, deals Board 1, shows it and asks whether it matches
// the hand record; leaves the answer in dealConfirmed (Esc opens the quit
// question instead).
void confirmBoardOne(Program& program);

// Draws the four hands of Board 1 from the deal store.
void showBoardOne(Program& program);

}  // namespace kveld
