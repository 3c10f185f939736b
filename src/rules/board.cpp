#include "rules/board.h"

#include "rules/calendar.h"

namespace kveld {

std::string holdingText(Holding holding, std::string_view voidText) {
  unsigned bits = holding & 0x1FFFu;
  if (bits == 0) return std::string(voidText);
  std::string text;
  // Bit r stands for rank index r, so the lowest bit set is the highest card.
  for (; bits != 0; bits &= bits - 1) text += rankLetter(std::countr_zero(bits));
  return text;
}

std::string setDate(const SetParameters& set) {
  return std::string(kMonthName.at(static_cast<std::size_t>(set.monthNumber))) + " " + std::to_string(set.dayOfMonth);
}

std::string setTitle(const SetParameters& set) {
  return setDate(set) + ", " + std::string(kSessionName.at(static_cast<std::size_t>(set.sessionNumber)));
}

}  // namespace kveld
