#pragma once
// The deals of the current set as the interactive program keeps, shows and
// writes them: Boards 1..36 (0 is never used). A shorter set leaves the
// later boards of a longer one in place; readers take Boards 1..boardCount.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/board.h"

namespace kveld {

struct DealStore {
  std::array<Board, kMaxBoards + 1> boards{};
  std::int16_t currentBoard = 0;  // the board being dealt

  // Keeps each board under its number.
  void hold(const std::vector<Board>& dealt) {
    for (const Board& board : dealt) boards.at(static_cast<std::size_t>(board.number)) = board;
  }
  const Board& board(int number) const { return boards.at(static_cast<std::size_t>(number)); }
  // Boards 1..count.
  std::span<const Board> set(int count) const {
    return std::span<const Board>(boards).subspan(1, static_cast<std::size_t>(count));
  }
};

// The rank letters of a suit, highest first, or kVoidMark: "AQT96", "--".
inline std::string suitHolding(const Board& board, Seat seat, Suit suit) {
  return holdingText(board.holding(seat, suit), kVoidMark);
}

// The four holdings of a hand, spades first, each followed by one blank:
// "98 T63 J432 9632 ".
inline std::string handLine(const Board& board, Seat seat) {
  std::string line;
  for (Suit suit : kSuits) line += suitHolding(board, seat, suit) + ' ';
  return line;
}

}  // namespace kveld
