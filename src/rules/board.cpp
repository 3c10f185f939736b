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

std::optional<Holding> holdingOf(std::string_view letters) {
  constexpr std::string_view kLetters = "AKQJT98765432";
  unsigned bits = 0;
  for (char c : letters) {
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    const std::size_t rank = kLetters.find(upper);
    if (rank == std::string_view::npos || (bits & (1u << rank)) != 0) return std::nullopt;
    bits |= 1u << rank;
  }
  return static_cast<Holding>(bits);
}

std::string setDate(const SetParameters& set) {
  return std::string(kMonthName.at(static_cast<std::size_t>(set.monthNumber))) + " " + std::to_string(set.dayOfMonth);
}

std::string setTitle(const SetParameters& set) {
  return setDate(set) + ", " + std::string(kSessionName.at(static_cast<std::size_t>(set.sessionNumber)));
}

}  // namespace kveld
