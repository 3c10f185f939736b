#pragma once
// Ways out of a step that travel as exceptions to the main flow's loop:
// a re-entry at one of its three points, or the end of the program.

namespace kveld {

enum class EntryPoint { titleScreen, readSettings, setupCheck };

struct Reenter {
  EntryPoint point;
};

struct EndProgram {
  int exitCode = 0;
};

}  // namespace kveld
