#pragma once
// The cards as the dealing machines' files number them: 01 the ace of
// spades, 02 its king, ... 13 its two, 14 the ace of hearts, ... 52 the two
// of clubs. A deal is 78 digits: North's 13 card numbers, then East's, then
// South's; West holds the rest.
#include <string>
#include <string_view>

#include "formats/deal_set.h"

namespace kveld::formats {

constexpr std::size_t kCardDigits = 78;

// The 78 digits of a board.
std::string cardDigits(const Board& board);

// Whether 78 bytes are digits in pairs 01 to 52.
bool areCardNumbers(std::string_view digits);

// The board that 78 digits deal, numbered `number`, or the reason they
// cannot be read ("card number 53 is outside 01 to 52").
CheckedBoard boardOfCardDigits(int number, std::string_view digits);

}  // namespace kveld::formats
