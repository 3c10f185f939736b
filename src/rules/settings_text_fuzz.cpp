// Fuzzes the reading of KVELD.INI with arbitrary bytes. Besides crashes and
// out-of-bounds reads it checks what every accepted file must give: two
// fields that are not empty, hold neither a line end (CR) nor the end mark
// (26), and are read back the same from the file written for them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rules/settings_text.h"

namespace {

bool plainField(const std::string& field) {
  return !field.empty() && field.find('\r') == std::string::npos && field.find('\x1a') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kveld::SettingsText read = kveld::parseSettingsText(bytes);
  if (!read.valid) return 0;
  if (size < 2) std::abort();  // a file shorter than 2 bytes is never valid
  if (!plainField(read.settings.dfDirectory) || !plainField(read.settings.dfExecutable)) std::abort();
  const kveld::SettingsText again = kveld::parseSettingsText(kveld::settingsFileText(read.settings));
  if (!again.valid || again.settings.dfDirectory != read.settings.dfDirectory ||
      again.settings.dfExecutable != read.settings.dfExecutable)
    std::abort();
  return 0;
}
