#pragma once
// What every duplicate board carries besides its cards: the dealer and the
// vulnerability follow from the board number alone.
#include <array>
#include <string_view>

namespace kveld::batch {

enum class Vulnerability { none, northSouth, eastWest, both };

// North, East, South, West for boards 1, 2, 3, 4, and so on.
constexpr int dealerSeat(int board) { return (board - 1) % 4; }

// The 16-board cycle of vulnerabilities; board 17 is vulnerable as board 1.
constexpr Vulnerability vulnerability(int board) {
  using enum Vulnerability;
  constexpr std::array<Vulnerability, 16> cycle = {
      none,     northSouth, eastWest, both,       northSouth, eastWest, both,       none,
      eastWest, both,       none,     northSouth, both,       none,     northSouth, eastWest};
  return cycle[static_cast<std::size_t>((board - 1) % 16)];
}

// The vulnerability as a diagram shows it to a reader.
constexpr std::string_view vulnerabilityText(int board) {
  switch (vulnerability(board)) {
    case Vulnerability::none: return "None";
    case Vulnerability::northSouth: return "N-S";
    case Vulnerability::eastWest: return "E-W";
    case Vulnerability::both: return "Both";
  }
  return "None";
}

constexpr std::array<std::string_view, 4> kSeatNames = {"North", "East", "South", "West"};
constexpr std::array<char, 4> kSeatLetters = {'N', 'E', 'S', 'W'};

}  // namespace kveld::batch
