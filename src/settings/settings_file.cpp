#include "settings/settings_file.h"

#include "app/program.h"

namespace kveld {

// First cut: not read yet; the settings count as valid so that the flow goes on.
SettingsText parseSettingsText(std::string_view) { return {}; }

std::string settingsFileText(const Settings& s) {
  return "DeepFinesseDirectory=" + s.dfDirectory + "\r\nExecutableFile=" + s.dfExecutable + "\r\n";
}

void readSettings(Program& program) { program.settingsValid = program.tables.flagTrue; }

void writeSettings(Program& program, const Settings& settings) {
  program.system.writeFile(program.tables.iniFileName, settingsFileText(settings));
}

}  // namespace kveld
