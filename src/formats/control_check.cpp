#include "formats/control_check.h"

#include "rules/control_string.h"

namespace kveld::formats {

CheckedString checkString(std::string_view text) {
  ControlCheck check = checkControlText(text);
  CheckedString result;
  if (check.digits) result.params = decodeControlDigits(*check.digits);
  result.problem = std::move(check.problem);
  return result;
}

std::string printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return shown;
}

std::string refusal(std::string_view text, const std::string& problem) {
  return "\"" + printable(text) + "\" is not a valid control string: " + problem + ".";
}

}  // namespace kveld::formats
