#pragma once
// The sets that the dealing machines' files hold: boards numbered in a run
// without gaps, each with the dealer and vulnerability its number gives,
// for neither is stored; and how their readers show a byte that is wrong.
#include <string>
#include <string_view>

#include "formats/deal_set.h"

namespace kveld::formats {

struct RunLimits {
  std::string_view label;  // of the format, as a refusal names it: "BRI"
  bool fromOne = false;    // whether the run must start at board 1
  int highest = 0;         // the highest board number the format holds
};

// Why a file of the format cannot hold the set, in one line, or "".
std::string runRefusal(const DealSet& set, const RunLimits& limits);

// A byte as a refusal shows it: "'q'", or "byte 0x1B" when not printable.
std::string shownByte(char c);

}  // namespace kveld::formats
