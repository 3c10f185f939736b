#include "batch/control_check.h"

#include "rules/board.h"
#include "rules/control_string.h"

namespace kveld::batch {

CheckedString checkString(std::string_view text, const RuleTables& tables) {
  ControlCheck check = checkControlText(text);
  CheckedString result;
  if (check.digits) result.params = decodeControlDigits(*check.digits, tables);
  result.problem = std::move(check.problem);
  return result;
}

std::string describeSet(const SetParameters& p, const RuleTables& t) {
  return setTitle(p, t) + ", " + std::to_string(p.boardCount) + " boards";
}

std::string printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return shown;
}

}  // namespace kveld::batch
