#pragma once
namespace kveld {
struct Program;
// Reads KVELD.INI into the settings and sets settingsValid.
void readSettings(Program& program);
}  // namespace kveld
