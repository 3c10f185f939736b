#pragma once
// Board 1 as a bridge diagram, and the user's confirmation that it matches
// the hand record before the rest of the set is dealt.
namespace kveld {
class ConsoleKit;
struct DealStore;
struct Program;
struct ProgramTables;

// Seeds the generator, deals Board 1, shows it and asks whether it matches
// the hand record; leaves the answer in dealConfirmed (Esc opens the quit
// question instead).
void confirmBoardOne(Program& program);

// Draws the four hands of Board 1 from the deal store.
void showBoardOne(ConsoleKit& kit, const ProgramTables& tables, const DealStore& deals);

}  // namespace kveld
