#include "rules/dealer.h"

#include <algorithm>

namespace kveld {

std::vector<Board> SetDealer::deal(int first, int last, const DealProgress& beforeBoard) {
  first = std::max(first, 1);
  last = std::min(last, kMaxBoards);
  std::vector<Board> boards;
  boards.reserve(static_cast<std::size_t>(std::max(last - first + 1, 0)));
  for (int number = first; number <= last; ++number) {
    if (beforeBoard) beforeBoard(number);
    Board& board = boards.emplace_back();
    board.number = number;
    dealCards(board, generator_);
  }
  return boards;
}

std::vector<Board> dealSet(const SetParameters& set, const DealProgress& beforeBoard) {
  return SetDealer(set).deal(1, set.boardCount, beforeBoard);
}

}  // namespace kveld
