#pragma once
// Setup: finds DeepFinesse on a drive the user names and writes the settings.

namespace kveld {
struct Program;

// The drive prompt, the search, the choice among the installations found and
// the executable; then the settings file is written and the completion
// notice shown until a key is pressed. Ends the program when nothing is
// found.
void runSetup(Program& program);

}  // namespace kveld
