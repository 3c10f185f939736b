#pragma once
// The control string of a hand record: ten characters, digits with an
// optional final "X", checked by the ISBN-10 rule, decoded into the set's
// date, session, board count and deal offset.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/set_parameters.h"

namespace kveld {

// Digit values d1..d10 at indices 1..10 (index 0 unused); "X" gives 10.
using ControlDigits = std::array<std::int16_t, 11>;

// The verdict on a text: its ten digits, or why it is not a control string.
struct ControlCheck {
  std::optional<ControlDigits> digits;
  std::string problem;  // a phrase, "\"A\" is not a digit"; empty when accepted
};

// Blanks may stand anywhere before the tenth digit, nothing after it; only
// the tenth (check) digit may be "X", which counts 10, and a lower-case "x"
// counts as "X", as it does once a typed key is upper-cased; the digits
// weighted 10 down to 1 must add up to a multiple of 11.
ControlCheck checkControlText(std::string_view text);

// The ten digits of a typed text, or nothing when the text is a typo.
std::optional<ControlDigits> checkControlString(std::string_view text);

struct CalendarDate {
  std::int16_t yearNumber = 0;
  std::int16_t monthNumber = 0;
  std::int16_t dayOfMonth = 0;
  bool operator==(const CalendarDate&) const = default;
};
CalendarDate decodeDayNumber(std::int16_t dayNumber);

SetParameters decodeControlDigits(const ControlDigits& digits);

}  // namespace kveld
