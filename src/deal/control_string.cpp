#include "deal/control_string.h"

#include "app/program.h"

namespace kveld {
// Not built yet.
std::optional<ControlDigits> checkControlString(std::string_view) { return std::nullopt; }
CalendarDate decodeDayNumber(std::int16_t, const ProgramTables&) { return {}; }
SetParameters decodeControlDigits(const ControlDigits&, const ProgramTables&) { return {}; }
void enterControlString(Program&) {}
}  // namespace kveld
