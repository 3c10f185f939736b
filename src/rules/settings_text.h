#pragma once
// The text of the settings file KVELD.INI: two CR LF lines, "DeepFinesseDirectory=" and
// the folder, "ExecutableFile=" and the program file name.
#include <string>
#include <string_view>

#include "rules/settings.h"

namespace kveld {

struct SettingsText {
  bool valid = false;
  Settings settings;
};

// The settings a file's bytes hold, by the reading rules of the file.
SettingsText parseSettingsText(std::string_view bytes);
// The bytes of a settings file holding these settings.
std::string settingsFileText(const Settings& settings);

}  // namespace kveld
