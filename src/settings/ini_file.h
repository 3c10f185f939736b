#pragma once
// Reading and writing the settings file KVELD.INI of the program folder.
#include "rules/settings.h"

namespace kveld {
struct Program;

// Reads KVELD.INI into the settings and sets settingsValid.
void readSettings(Program& program);
// Puts a KVELD.INI holding the two settings in place of any earlier one.
void writeSettings(Program& program, const Settings& settings);

}  // namespace kveld
