#pragma once
// The hands of a deal as a DUP record shows them on the dealing machine's
// screen: North, East, South and West, 17 bytes each, every suit a symbol
// byte (code page 437's spade, heart, diamond and club glyphs) followed by
// its ranks from the ace down.
#include <string>
#include <string_view>

#include "rules/board.h"

namespace kveld::formats {

constexpr std::size_t kScreenBytes = 68;
constexpr char kSpadeSymbol = '\x06';

// The 68 bytes of a board's hands.
std::string screenHands(const Board& board);

// "" when the 68 bytes show the board's hands (in any order of ranks) or
// are blank, as the machine's blind sets leave them; else the reason.
std::string screenProblem(std::string_view screen, const Board& board);

}  // namespace kveld::formats
