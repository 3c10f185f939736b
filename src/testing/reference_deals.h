#pragma once
// The deals of the two worked examples as the printed hand records show
// them, and a board read back from such hand lines: what the dealer's tests
// and the screens and files built from its boards are checked against.
#include <array>
#include <string_view>

#include "rules/board.h"

namespace kveld::reference {

// North, East, South, West; each hand spades to clubs, each holding followed
// by one blank, a void as "--".
using HandLines = std::array<std::string_view, 4>;

struct ReferenceBoard {
  int number;
  HandLines hands;
};

// Example A: control string 1000100006, January 1, Morning, 24 boards.
inline constexpr std::string_view kExampleAControl = "1000100006";
inline constexpr std::array<ReferenceBoard, 4> kExampleA = {{
    {1, {"98 T63 J432 9632 ", "A7653 A92 K87 KQ ", "QJ42 Q75 5 AT754 ", "KT KJ84 AQT96 J8 "}},
    {2, {"T743 A65 983 Q32 ", "K2 KQ42 QJT7 865 ", "9865 JT9 642 KJT ", "AQJ 873 AK5 A974 "}},
    {3, {"KJ8 KJ5 KQJT95 5 ", "Q63 97 A763 A732 ", "AT52 T2 842 QJT4 ", "974 AQ8643 -- K986 "}},
    {24, {"QT9 76 KJT74 A98 ", "A8532 AQT52 98 K ", "J7 KJ984 A QT763 ", "K64 3 Q6532 J542 "}},
}};
inline constexpr const ReferenceBoard& kExampleABoardOne = kExampleA[0];

// Example B: control string 0102230455, September 9, Afternoon; Board 1.
inline constexpr std::string_view kExampleBControl = "0102230455";
inline constexpr ReferenceBoard kExampleBBoardOne = {
    1, {"AK763 KJ5 QT T97 ", "Q8 AT7 J9753 865 ", "JT54 Q9832 A QJ2 ", "92 64 K8642 AK43 "}};

// The board that these hand lines show.
constexpr Board boardOf(const ReferenceBoard& reference) {
  Board board;
  board.number = reference.number;
  for (Seat seat : kSeats) {
    std::size_t suit = 0;
    for (char c : reference.hands[indexOf(seat)]) {
      if (c == ' ') {
        ++suit;
        continue;
      }
      for (int rank = 0; rank < kRanks; ++rank)
        if (rankLetter(rank) == c) board.cards[indexOf(seat)].at(suit) |= static_cast<Holding>(1u << rank);
    }
  }
  return board;
}

}  // namespace kveld::reference
