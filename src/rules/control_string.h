#pragma once
// The control string of a hand record: ten characters, digits with an
// optional final "X", checked by the ISBN-10 rule, decoded into the set's
// date, session, board count and deal offset.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "rules/rule_tables.h"
#include "rules/set_parameters.h"

namespace kveld {

// Digit values d1..d10 at indices 1..10 (index 0 unused); "X" gives 10.
using ControlDigits = std::array<std::int16_t, 11>;

// The ten digits of a typed text, or nothing when the text is a typo.
std::optional<ControlDigits> checkControlString(std::string_view text);

struct CalendarDate {
  std::int16_t yearNumber = 0;
  std::int16_t monthNumber = 0;
  std::int16_t dayOfMonth = 0;
  bool operator==(const CalendarDate&) const = default;
};
CalendarDate decodeDayNumber(std::int16_t dayNumber, const RuleTables& tables);

SetParameters decodeControlDigits(const ControlDigits& digits, const RuleTables& tables);

}  // namespace kveld
