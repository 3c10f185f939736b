#pragma once
namespace kveld {
struct Program;
// "Enter another set?" and "Run Deep Finesse Now?".
void endOfSetDialogs(Program& program);
}  // namespace kveld
