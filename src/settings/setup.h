#pragma once
// Setup: finds DeepFinesse on a drive the user names and writes the settings.

namespace kveld {
struct Program;

// The drive prompt, the search, the choice among the installations found and
// the executable; then finishSetup. Ends the program when nothing is found.
void runSetup(Program& program);

// Writes the settings file from program.settings and shows the completion
// notice until a key is pressed.
void finishSetup(Program& program);

}  // namespace kveld
