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

// Far above any path a system allows: a file whose second line has not
// ended by then is no settings file.
constexpr std::size_t kMostSettingsBytes = 64 * 1024;

// How many of the bytes a read can use: up to the second line end or the
// Ctrl-Z that ends the readable content; npos while neither has come.
std::size_t usableLength(std::string_view bytes);

// The settings a file's bytes hold, by the reading rules of the file.
SettingsText parseSettingsText(std::string_view bytes);
// The bytes of a settings file holding these settings.
std::string settingsFileText(const Settings& settings);

}  // namespace kveld
