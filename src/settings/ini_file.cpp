#include "settings/ini_file.h"

#include <algorithm>
#include <optional>

#include "core/program.h"
#include "rules/settings_text.h"

namespace kveld {

void readSettings(Program& program) {
  program.settingsValid = true;
  // A missing file raises "file not found" here; the error handler takes
  // over. Only as much is read as two lines need, so that a file that never
  // ends (a device) or is huge costs nothing; a FIFO is not waited on.
  const std::optional<std::string> bytes = program.system.readFileStart(
      program.tables.iniFileName, kMostSettingsBytes,
      [](std::string_view sofar) { return usableLength(sofar) != std::string_view::npos; });
  if (!bytes || std::min(usableLength(*bytes), bytes->size()) > kMostSettingsBytes) {
    program.settings = {};
    program.settingsValid = false;
    return;
  }
  const SettingsText text = parseSettingsText(*bytes);
  program.settings = text.settings;
  if (!text.valid) program.settingsValid = false;
}

// The file is replaced in one step, as the archive file is: another copy of
// the program reading it meanwhile sees the old settings or the new ones,
// never half of them. A linked settings file is written through.
void writeSettings(Program& program, const Settings& settings) {
  program.system.replaceFile(program.tables.iniFileName, settingsFileText(settings));
}

}  // namespace kveld
