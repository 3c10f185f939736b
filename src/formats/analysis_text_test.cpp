#include "formats/analysis_text.h"

#include <gtest/gtest.h>

namespace kveld::formats {

using namespace analysis;
namespace {

// A table where nearly every entry differs: seat s (N E S W) declaring in
// denomination d (S H D C NT) takes
// (3 * s + d) % 14 tricks, so that a row or column out of place shows.
BoardAnalysis distinctTable() {
  BoardAnalysis a;
  for (std::size_t s = 0; s < 4; ++s) {
    for (std::size_t d = 0; d < 5; ++d) a.tricks[s][d] = static_cast<int>((3 * s + d) % 14);
  }
  a.tricks[2][4] = 13;
  a.par.score = -100;
  a.par.contracts = {{5, Denomination::Diamonds, Declarers::EastWest, 0, 1},
                     {5, Denomination::Clubs, Declarers::EastWest, 0, 1}};
  return a;
}

TEST(AnalysisText, DeclarersNorthSouthEastWestAndNoTrumpFirst) {
  const BoardAnalysis a = distinctTable();
  // North (0): NT 4, S 0, H 1, D 2, C 3; East (1): NT 7, S 3, ...;
  // South (2): NT 13 (set apart), S 6, ...; West (3): NT 13, S 9, ...
  EXPECT_EQ(doubleDummyTricks(a),
            "40123"
            "d6789"
            "73456"
            "d9abc");
  const auto lines = optimumResultLines(a);
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "N NT  4");
  EXPECT_EQ(lines[1], "N  S  0");
  EXPECT_EQ(lines[5], "S NT 13");
  EXPECT_EQ(lines[14], "E  C  6");
  EXPECT_EQ(lines[19], "W  C 12");
  EXPECT_EQ(trickTableLines(a),
            (std::vector<std::string>{"    NT  S  H  D  C", "N   4  0  1  2  3", "S  13  6  7  8  9",
                                      "E   7  3  4  5  6", "W  13  9 10 11 12",
                                      "Par: NS -100, EW 5DX-1, EW 5CX-1"}));
}

TEST(AnalysisText, ParContractsAsHandRecordsPrintThem) {
  Par par;
  par.score = 660;
  par.contracts = {{3, Denomination::NoTrump, Declarers::North, 2, 0}};
  EXPECT_EQ(parContractsText(par), "N 3NT+2");
  par.contracts = {{4, Denomination::Spades, Declarers::NorthSouth, 0, 0},
                   {4, Denomination::Hearts, Declarers::South, 0, 0}};
  EXPECT_EQ(parContractsText(par), "NS 4S, S 4H");
  EXPECT_EQ(contractText({7, Denomination::Clubs, Declarers::West, 0, 4}), "7CX-4");
  EXPECT_EQ(parContractsText(Par{}), "Pass");
  EXPECT_EQ(parScoreText(Par{}), "NS 0");
}

}  // namespace
}  // namespace kveld::formats
