// Fuzzes the control-string check with arbitrary text. Each verdict is
// compared with the rule itself (blanks anywhere before the tenth digit,
// ten digits of which only the last may be "X" or "x", nothing after it, the
// weighted sum divisible by 11), and every accepted string must decode into
// set parameters within their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rules/control_string.h"

namespace {

// The ten digits the rule accepts, or false.
bool ruleAccepts(std::string_view text, kveld::ControlDigits& digits) {
  int count = 0;
  for (char c : text) {
    if (count == 10) return false;  // anything after the tenth digit
    if (c == ' ') continue;
    if (c >= '0' && c <= '9') {
      digits[static_cast<std::size_t>(++count)] = static_cast<std::int16_t>(c - '0');
    } else if ((c == 'X' || c == 'x') && count == 9) {
      digits[static_cast<std::size_t>(++count)] = 10;
    } else {
      return false;
    }
  }
  if (count != 10) return false;
  int sum = 0;
  for (int i = 1; i <= 10; ++i) sum += (11 - i) * digits[static_cast<std::size_t>(i)];
  return sum % 11 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kveld::ControlDigits expected{};
  const bool accepted = ruleAccepts(text, expected);
  const std::optional<kveld::ControlDigits> checked = kveld::checkControlString(text);
  if (checked.has_value() != accepted) std::abort();
  // Every refusal gives its reason.
  if (kveld::checkControlText(text).problem.empty() != accepted) std::abort();
  if (!checked) return 0;
  for (int i = 1; i <= 10; ++i)
    if ((*checked)[static_cast<std::size_t>(i)] != expected[static_cast<std::size_t>(i)]) std::abort();

  const kveld::SetParameters p = kveld::decodeControlDigits(*checked);
  if (p.dayNumber < 0 || p.dayNumber > 9999 || p.dealOffset < 0 || p.dealOffset > 9999) std::abort();
  if (p.yearNumber < 1 || p.yearNumber > 28 || p.monthNumber < 1 || p.monthNumber > 12) std::abort();
  if (p.dayOfMonth < 0 || p.dayOfMonth > 31) std::abort();
  if (p.sessionNumber < 0 || p.sessionNumber > 4 || (p.boardCount != 24 && p.boardCount != 36)) std::abort();
  return 0;
}
