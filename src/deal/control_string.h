#pragma once
namespace kveld {
struct Program;
// Asks for the control string until a valid one is decoded into params.
void enterControlString(Program& program);
}  // namespace kveld
