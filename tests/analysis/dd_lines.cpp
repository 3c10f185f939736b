// Deals the set of a control string and prints its boards one per line for
// the comparison with the independent solver of Debian's `deal`:
//   dd_lines CONTROL          the hands, "north|east|south|west", suits
//                             separated by blanks, "-" for a void
//   dd_lines --solve CONTROL  the hands and our double-dummy tables in the
//                             form deal's ddline format prints: hands with
//                             suits separated by dots (a void left empty),
//                             then per hand (N, E, S, W) the tricks in
//                             S H D C NT
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/double_dummy.h"
#include "rules/board.h"
#include "rules/control_string.h"
#include "rules/dealer.h"

namespace {

using kveld::Board;

std::string handsText(const Board& b, char suitSeparator) {
  std::string line;
  for (kveld::Seat seat : kveld::kSeats) {
    if (seat != kveld::Seat::North) line += '|';
    for (kveld::Suit suit : kveld::kSuits) {
      if (suit != kveld::Suit::Spades) line += suitSeparator;
      // deal reads a void as "-" and prints it as nothing.
      line += kveld::holdingText(b.holding(seat, suit), suitSeparator == ' ' ? "-" : "");
    }
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  const bool solve = argc == 3 && std::string_view(argv[1]) == "--solve";
  if (argc != 2 && !solve) {
    std::fprintf(stderr, "usage: dd_lines [--solve] CONTROL\n");
    return 2;
  }
  const auto digits = kveld::checkControlString(argv[argc - 1]);
  if (!digits) {
    std::fprintf(stderr, "dd_lines: not a valid control string: %s\n", argv[argc - 1]);
    return 2;
  }
  const kveld::SetParameters params = kveld::decodeControlDigits(*digits);
  const std::vector<Board> boards = kveld::dealSet(params);
  if (!solve) {
    for (const auto& b : boards) std::printf("%s\n", handsText(b, ' ').c_str());
    return 0;
  }
  try {
    const auto results = kveld::analysis::analyseBoards(boards);
    for (std::size_t i = 0; i < boards.size(); ++i) {
      std::string line = handsText(boards[i], '.');
      for (std::size_t seat = 0; seat < 4; ++seat) {
        line += '|';
        // deal lists the suits first and no trump last, as we store them.
        for (std::size_t d = 0; d < 5; ++d)
          line += (d > 0 ? " " : "") + std::to_string(results[i].tricks[seat][d]);
      }
      std::printf("%s\n", line.c_str());
    }
  } catch (const kveld::analysis::AnalysisError& e) {
    std::fprintf(stderr, "dd_lines: %s\n", e.what());
    return 1;
  }
  return 0;
}
