#include "analysis/double_dummy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kveld::analysis {
namespace {

// A deal written the usual way, "N:QJ6.K652.J85.T98 873.J97.AT764.Q4 ...":
// the first hand's seat, then four hands clockwise, suits S.H.D.C. The
// board's number decides its dealer and vulnerability.
Board dealFrom(const std::string& text, int number = 1) {
  static const std::string kSeatLetters = "NESW", kRankLetters = "AKQJT98765432";
  Board b;
  b.number = number;
  std::size_t seat = kSeatLetters.find(text.at(0)), suit = 0;
  for (char c : text.substr(2)) {
    if (c == ' ') {
      seat = (seat + 1) % 4;
      suit = 0;
    } else if (c == '.') {
      ++suit;
    } else {
      b.cards[seat][suit] = static_cast<Holding>(b.cards[seat][suit] | 1u << kRankLetters.find(c));
    }
  }
  return b;
}

BoardAnalysis analyse(const Board& board) { return analyseBoards(std::span(&board, 1)).at(0); }

// The table as the solver's documentation prints it: per denomination
// S, H, D, C, NT the tricks of North, East, South, West.
std::vector<int> tableBySuit(const BoardAnalysis& a) {
  std::vector<int> out;
  for (std::size_t d = 0; d < 5; ++d) {
    for (std::size_t seat = 0; seat < 4; ++seat) out.push_back(a.tricks[seat][d]);
  }
  return out;
}

using enum Denomination;
using enum Declarers;

// The three example deals of the solver's documentation with their tables
// and dealer par results; Board 1 is dealt by North, nobody vulnerable,
// Board 2 by East, North-South vulnerable.
TEST(DoubleDummy, MatchesTheSolversDocumentedExamples) {
  struct Case {
    const char* deal;
    int board;
    std::vector<int> table;
    int score;
    ParContract contract;
  };
  const Case cases[] = {
      {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3",
       1,
       {5, 8, 5, 8, 6, 6, 6, 6, 5, 7, 5, 7, 7, 5, 7, 5, 6, 6, 6, 6},
       -110,
       {2, Spades, EastWest, 0, 0}},
      {"E:QJT5432.T.6.QJ82 .J97543.K7532.94 87.A62.QJT4.AT75 AK96.KQ8.A98.K63",
       2,
       {4, 9, 4, 9, 10, 2, 10, 2, 8, 3, 8, 3, 6, 7, 6, 7, 9, 3, 9, 3},
       100,
       {4, Spades, EastWest, 0, 1}},
      {"N:73.QJT.AQ54.T752 QT6.876.KJ9.AQ84 5.A95432.7632.K6 AKJ9842.K.T8.J93",
       1,
       {3, 10, 3, 10, 9, 4, 9, 4, 8, 4, 8, 4, 3, 9, 3, 9, 4, 8, 4, 8},
       -300,
       {5, Hearts, NorthSouth, 0, 2}},
  };
  // The same with the solver's memory bounded: 1 MB (too little for one
  // thread, so the least that keeps one), the small tables, the large.
  for (int megabytes : {0, 1, 64, 200}) {
    setSolverMemory(megabytes);
    for (const Case& c : cases) {
      const BoardAnalysis a = analyse(dealFrom(c.deal, c.board));
      EXPECT_EQ(tableBySuit(a), c.table) << c.deal << ", " << megabytes << " MB";
      EXPECT_EQ(a.par.score, c.score) << c.deal;
      EXPECT_EQ(a.par.contracts, std::vector<ParContract>{c.contract}) << c.deal;
    }
  }
  setSolverMemory(0);
}

// Each hand holds one whole suit: North spades, East hearts, South diamonds,
// West clubs. A side takes all thirteen tricks with its own suit as trumps
// (whoever leads, the trumps win every trick) and none otherwise; at no
// trump the opening leader runs a whole suit.
const char* const kWholeSuits = "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432";

TEST(DoubleDummy, SolvesAHandWorkedDealAndItsGrandSlam) {
  const BoardAnalysis a = analyse(dealFrom(kWholeSuits));
  const TrickTable expected = {{{13, 0, 13, 0, 0}, {0, 13, 0, 13, 0}, {13, 0, 13, 0, 0}, {0, 13, 0, 13, 0}}};
  EXPECT_EQ(a.tricks, expected);
  EXPECT_EQ(a.tricksFor(Seat::South, Denomination::Diamonds), 13);
  // Spades outrank hearts, so North-South's grand slam has the last word
  // whoever deals; East-West's only escape, 7NT, goes down thirteen.
  const std::vector<ParContract> grandSlam = {{7, Spades, NorthSouth, 0, 0}};
  EXPECT_EQ(a.par.score, 1510);
  EXPECT_EQ(a.par.contracts, grandSlam);
  const Par vulnerable = parOf(a.tricks, Seat::East, Vulnerability::Both);
  EXPECT_EQ(vulnerable.score, 2210);
  EXPECT_EQ(vulnerable.contracts, grandSlam);
}

// A deal with a sacrifice (also solved by the independent solver of the
// `deal` program): North-South make ten tricks in spades, East-West nine in
// hearts, so 5H doubled goes two down against 4S.
TEST(DoubleDummy, SacrificeDependsOnBothVulnerabilities) {
  const Board board = dealFrom("N:Q654.32.K876.KJ3 T.AKJ5.QJ542.765 KJ872.T.AT9.A942 A93.Q98764.3.QT8");
  const BoardAnalysis a = analyse(board);
  const TrickTable expected = {{{10, 4, 8, 8, 6}, {3, 9, 5, 3, 7}, {10, 4, 8, 8, 6}, {3, 9, 5, 3, 7}}};
  EXPECT_EQ(a.tricks, expected);
  // 4S is worth 420 or 620; 5HX-2 costs 300 or 500.
  const ParContract sacrifice = {5, Hearts, EastWest, 0, 2}, game = {4, Spades, NorthSouth, 0, 0};
  struct Case {
    Vulnerability vul;
    int score;
    ParContract contract;
  };
  for (const Case& c :
       {Case{Vulnerability::None, 300, sacrifice}, Case{Vulnerability::Both, 500, sacrifice},
        Case{Vulnerability::NorthSouth, 300, sacrifice}, Case{Vulnerability::EastWest, 420, game}}) {
    const Par par = parOf(a.tricks, Seat::North, c.vul);
    EXPECT_EQ(par.score, c.score) << c.score;
    EXPECT_EQ(par.contracts, std::vector<ParContract>{c.contract}) << c.score;
  }
  EXPECT_EQ(a.par.score, 300);  // the board's own: North deals, nobody vulnerable
}

TrickTable uniformTable(int tricks) {
  TrickTable t;
  for (auto& seat : t) seat.fill(tricks);
  return t;
}

TEST(Par, OfHandWorkedTables) {
  // Nobody can take seven tricks anywhere: the board is passed out.
  const Par nothing = parOf(uniformTable(6), Seat::West, Vulnerability::Both);
  EXPECT_EQ(nothing.score, 0);
  EXPECT_TRUE(nothing.contracts.empty());

  // Each side makes 1NT when it declares and nothing else: the side that
  // bids first, the dealer's, gets there first.
  TrickTable oneNoTrump = uniformTable(5);
  for (auto& seat : oneNoTrump) seat[4] = 7;
  EXPECT_EQ(parOf(oneNoTrump, Seat::South, Vulnerability::None).score, 90);
  EXPECT_EQ(parOf(oneNoTrump, Seat::South, Vulnerability::None).contracts,
            (std::vector<ParContract>{{1, NoTrump, NorthSouth, 0, 0}}));
  EXPECT_EQ(parOf(oneNoTrump, Seat::West, Vulnerability::None).score, -90);
  EXPECT_EQ(parOf(oneNoTrump, Seat::West, Vulnerability::None).contracts,
            (std::vector<ParContract>{{1, NoTrump, EastWest, 0, 0}}));

  // Only North makes eleven tricks at no trump: 3NT with two overtricks.
  TrickTable northOnly = uniformTable(4);
  northOnly[0][4] = 11;
  EXPECT_EQ(parOf(northOnly, Seat::East, Vulnerability::None).score, 460);
  EXPECT_EQ(parOf(northOnly, Seat::East, Vulnerability::NorthSouth).score, 660);
  EXPECT_EQ(parOf(northOnly, Seat::East, Vulnerability::None).contracts,
            (std::vector<ParContract>{{3, NoTrump, North, 2, 0}}));
}

TEST(DoubleDummy, SolvesMoreBoardsThanOneBatchAndReportsProgress) {
  // Boards 1 to 41: each board's number gives its vulnerability.
  std::vector<Board> boards(kBoardsPerBatch + 1, dealFrom(kWholeSuits));
  for (std::size_t i = 0; i < boards.size(); ++i) boards[i].number = static_cast<int>(i) + 1;
  std::vector<int> reports;
  const auto results = analyseBoards(boards, [&](int done, int all) {
    EXPECT_EQ(all, kBoardsPerBatch + 1);
    reports.push_back(done);
  });
  ASSERT_EQ(results.size(), boards.size());
  EXPECT_EQ(results.back().number, kBoardsPerBatch + 1);
  EXPECT_EQ(results.back().tricks, results.front().tricks);
  EXPECT_EQ(results.front().par.score, 1510);  // Board 1: nobody vulnerable
  EXPECT_EQ(results[1].par.score, 2210);       // Board 2: North-South
  EXPECT_EQ(results[2].par.score, 1510);       // Board 3: East-West
  EXPECT_EQ(results[16].par.score, 1510);      // Board 17, as Board 1
  EXPECT_EQ(results.back().par.score, 1510);   // Board 41, as Board 9: East-West
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front(), 0);
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
  EXPECT_NE(std::find(reports.begin(), reports.end(), kBoardsPerBatch), reports.end());
  EXPECT_EQ(reports.back(), kBoardsPerBatch + 1);
}

TEST(DoubleDummy, RefusesBoardsThatAreNotFullDeals) {
  const Board good = dealFrom(kWholeSuits);
  auto refusal = [](Board b) {
    b.number = 7;
    try {
      analyseBoards(std::span(&b, 1));
    } catch (const AnalysisError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  Board twice = good;  // East also holds the ace of spades
  twice.cards[1][0] = 1;
  twice.cards[1][1] &= static_cast<Holding>(~1u);
  EXPECT_EQ(refusal(twice), "Board 7: a card is dealt twice");
  Board short12 = good;
  short12.cards[3][3] &= static_cast<Holding>(~1u);
  EXPECT_EQ(refusal(short12), "Board 7: W holds 12 cards, not 13");
  Board beyond = good;
  beyond.cards[2][2] = 0x3FFF;
  EXPECT_EQ(refusal(beyond), "Board 7: a holding names a rank beyond the two");
  EXPECT_TRUE(analyseBoards({}).empty());
}

}  // namespace
}  // namespace kveld::analysis
