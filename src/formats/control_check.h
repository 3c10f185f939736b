#pragma once
// Control strings given to kveld-batch or typed into the page: the same rules
// as the typed string, with the reason a string is refused.
#include <optional>
#include <string>
#include <string_view>

#include "rules/set_parameters.h"

namespace kveld::formats {

struct CheckedString {
  std::optional<SetParameters> params;  // set when the string is valid
  std::string problem;                  // why it is not, as a phrase
};

// Checks a control string as the interactive program checks a typed one; a
// lower-case "x" counts as "X", as it does when typed.
CheckedString checkString(std::string_view text);

// The text as it may be shown on a terminal: control characters as "?".
std::string printable(std::string_view text);

// The sentence that refuses a text, as kveld-batch and the page say it:
// "\"12\" is not a valid control string: it has 2 digits instead of ten."
std::string refusal(std::string_view text, const std::string& problem);

}  // namespace kveld::formats
