#pragma once
// A board as a DLM file's board line gives it: 26 letters, two cards a
// letter in the order of the ace of spades down to the two of clubs, each
// letter 'a' + 4 x the first card's owner + the second's (North 0, East 1,
// South 2, West 3), then a checksum of three digits: the board's number
// XOR the code of every letter.
#include <string>
#include <string_view>

#include "formats/deal_set.h"

namespace kveld::formats {

constexpr std::size_t kDealLetters = 26;

// The deal the files put on the boards outside their set: North all the
// spades, East the hearts, South the diamonds, West the clubs.
constexpr std::string_view kFillerLetters = "aaaaaabffffffkkkkkklpppppp";

// The 26 letters of a board.
std::string dealLetters(const Board& board);

// The number XOR the code of every letter.
int letterChecksum(int number, std::string_view letters);

// "Board NN=" value: the letters and their checksum as three digits.
std::string boardLine(int number, std::string_view letters);

// The board that 26 letters deal, numbered `number`, or the reason
// ("the letter 'q' is outside a to p").
CheckedBoard boardOfLetters(int number, std::string_view letters);

}  // namespace kveld::formats
