#pragma once
// The settings file KVELD.INI: two CR LF lines, "DeepFinesseDirectory=" and
// the folder, "ExecutableFile=" and the program file name.
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace kveld {
struct Program;

struct SettingsText {
  bool valid = false;
  Settings settings;
};

// The settings a file's bytes hold, by the reading rules of the file.
SettingsText parseSettingsText(std::string_view bytes);
// The bytes of a settings file holding these settings.
std::string settingsFileText(const Settings& settings);

// Reads KVELD.INI into the settings and sets settingsValid.
void readSettings(Program& program);
// Puts a KVELD.INI holding the two settings in place of any earlier one.
void writeSettings(Program& program, const Settings& settings);

}  // namespace kveld
