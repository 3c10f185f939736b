#pragma once
namespace kveld {
struct Program;
// Finds DeepFinesse on a drive the user names and writes the settings file.
void runSetup(Program& program);
}  // namespace kveld
