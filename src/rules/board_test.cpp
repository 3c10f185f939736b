#include "rules/board.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace kveld {
namespace {

// Duplicate boards go round in groups of four: the dealer moves one seat
// clockwise a board, and the vulnerability of a group's first board moves
// one step along None, N-S, E-W, Both with every group, so that the cycle
// repeats after sixteen boards. Worked out here that way, not read from a
// table, and held against the boards a club's hand record prints.
Vulnerability byGroups(int board) {
  constexpr Vulnerability order[] = {Vulnerability::None, Vulnerability::NorthSouth, Vulnerability::EastWest,
                                     Vulnerability::Both};
  return order[((board - 1) % 4 + (board - 1) / 4) % 4];
}

TEST(BoardCycle, DealerAndVulnerabilityOfEveryBoardOfTheLongestSet) {
  for (int board = 1; board <= kMaxBoards; ++board) {
    EXPECT_EQ(dealerOf(board), kSeats[static_cast<std::size_t>((board - 1) % 4)]) << board;
    EXPECT_EQ(vulnerabilityOf(board), byGroups(board)) << board;
  }
  struct Printed {
    int board;
    char dealer;
    std::string_view vulnerable;
  };
  for (const Printed& p : {Printed{1, 'N', "None"}, Printed{4, 'W', "Both"}, Printed{7, 'S', "Both"},
                           Printed{16, 'W', "E-W"}, Printed{17, 'N', "None"}, Printed{36, 'W', "Both"}}) {
    EXPECT_EQ(seatLetter(dealerOf(p.board)), p.dealer) << p.board;
    EXPECT_EQ(vulnerabilityWords(vulnerabilityOf(p.board)), p.vulnerable) << p.board;
  }
}

// Who is vulnerable, seat by seat (North, East, South, West), as a hand
// record's "Vul" line is read.
TEST(BoardCycle, WhoIsVulnerable) {
  const std::pair<Vulnerability, std::string_view> rows[] = {{Vulnerability::None, "----"},
                                                             {Vulnerability::NorthSouth, "V-V-"},
                                                             {Vulnerability::EastWest, "-V-V"},
                                                             {Vulnerability::Both, "VVVV"}};
  for (const auto& [vulnerability, seats] : rows) {
    std::string shown;
    for (Seat seat : kSeats) shown += isVulnerable(vulnerability, seat) ? 'V' : '-';
    EXPECT_EQ(shown, seats) << vulnerabilityWords(vulnerability);
  }
}

}  // namespace
}  // namespace kveld
