#pragma once
namespace kveld {
struct Program;
// Deals Board 1, shows it and asks whether it matches the hand record.
void confirmBoardOne(Program& program);
}  // namespace kveld
