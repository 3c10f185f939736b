#pragma once
// Setup: finds DeepFinesse on a drive the user names and writes the settings.
#include <array>
#include <string>
#include <string_view>

namespace kveld {
struct Program;

// Installation folders taken from a drive listing (entries 1..10).
struct FoundInstallations {
  int count = 0;
  std::array<std::string, 11> path{};   // full, as listed
  std::array<std::string, 11> shown{};  // cut to 57 characters and "..." beyond 60
};
// Reads the listing's lines (each ended by CR, an LF after it skipped, the
// text ending at the first Ctrl-Z) until the tenth installation or the first
// line that does not start with `driveSpec`. A line names an entry whose name
// begins with "DEAL" (in any case); the folder holding that entry is an
// installation. Other lines are passed over.
FoundInstallations parseListing(std::string_view listing, std::string_view driveSpec);

// The drive prompt, the search, the choice among the installations found and
// the executable; then finishSetup. Ends the program when nothing is found.
void runSetup(Program& program);

// Writes the settings file from program.settings and shows the completion
// notice until a key is pressed.
void finishSetup(Program& program);

}  // namespace kveld
