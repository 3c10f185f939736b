#pragma once
// Reading and writing the settings file KVELD.INI of the program folder.
#include "rules/settings.h"

namespace kveld {
struct Program;

// Reads KVELD.INI into the settings and sets settingsValid.
void readSettings(Program& program);
// Creates or empties KVELD.INI and writes the two settings into it.
void writeSettings(Program& program, const Settings& settings);

}  // namespace kveld
