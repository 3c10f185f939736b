#pragma once
// The control string prompt and its line editor.

namespace kveld {
struct Program;

// Asks for the control string until a valid one is decoded into params.
void enterControlString(Program& program);

}  // namespace kveld
