#include "settings/ini_file.h"

#include "core/program.h"
#include "rules/settings_text.h"

namespace kveld {

void readSettings(Program& program) {
  program.settingsValid = true;
  // A missing file raises "file not found" here; the error handler takes over.
  const SettingsText text = parseSettingsText(program.system.readFile(program.tables.iniFileName));
  program.settings = text.settings;
  if (!text.valid) program.settingsValid = false;
}

void writeSettings(Program& program, const Settings& settings) {
  program.system.writeFile(program.tables.iniFileName, settingsFileText(settings));
}

}  // namespace kveld
