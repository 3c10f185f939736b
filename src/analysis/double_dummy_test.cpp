#include "analysis/double_dummy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kveld::analysis {
namespace {

// A deal written the usual way, "N:QJ6.K652.J85.T98 873.J97.AT764.Q4 ...":
// the first hand's seat, then four hands clockwise, suits S.H.D.C.
BoardHands dealFrom(const std::string& text, Seat dealer = Seat::North,
                    Vulnerability vul = Vulnerability::None) {
  static const std::string kSeats = "NESW", kRanks = "AKQJT98765432";
  BoardHands b;
  b.number = 1;
  b.dealer = dealer;
  b.vulnerability = vul;
  std::size_t seat = kSeats.find(text.at(0)), suit = 0;
  for (char c : text.substr(2)) {
    if (c == ' ') {
      seat = (seat + 1) % 4;
      suit = 0;
    } else if (c == '.') {
      ++suit;
    } else {
      b.cards[seat][suit] = static_cast<Holding>(b.cards[seat][suit] | 1u << kRanks.find(c));
    }
  }
  return b;
}

BoardAnalysis analyse(const BoardHands& board) { return analyseBoards(std::span(&board, 1)).at(0); }

// The table as the solver's documentation prints it: per denomination
// S, H, D, C, NT the tricks of North, East, South, West.
std::vector<int> tableBySuit(const BoardAnalysis& a) {
  std::vector<int> out;
  for (std::size_t d = 0; d < 5; ++d) {
    for (std::size_t seat = 0; seat < 4; ++seat) out.push_back(a.tricks[seat][d]);
  }
  return out;
}

// The three example deals of the solver's documentation with their tables
// and dealer par results.
TEST(DoubleDummy, MatchesTheSolversDocumentedExamples) {
  const BoardAnalysis first =
      analyse(dealFrom("N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3", Seat::North,
                       Vulnerability::None));
  EXPECT_EQ(tableBySuit(first),
            (std::vector<int>{5, 8, 5, 8, 6, 6, 6, 6, 5, 7, 5, 7, 7, 5, 7, 5, 6, 6, 6, 6}));
  EXPECT_EQ(first.par.score, -110);
  EXPECT_EQ(parContractsText(first.par), "EW 2S");

  const BoardAnalysis second =
      analyse(dealFrom("E:QJT5432.T.6.QJ82 .J97543.K7532.94 87.A62.QJT4.AT75 AK96.KQ8.A98.K63", Seat::East,
                       Vulnerability::NorthSouth));
  EXPECT_EQ(tableBySuit(second),
            (std::vector<int>{4, 9, 4, 9, 10, 2, 10, 2, 8, 3, 8, 3, 6, 7, 6, 7, 9, 3, 9, 3}));
  EXPECT_EQ(second.par.score, 100);
  EXPECT_EQ(parContractsText(second.par), "EW 4SX-1");

  const BoardAnalysis third =
      analyse(dealFrom("N:73.QJT.AQ54.T752 QT6.876.KJ9.AQ84 5.A95432.7632.K6 AKJ9842.K.T8.J93", Seat::North,
                       Vulnerability::None));
  EXPECT_EQ(tableBySuit(third),
            (std::vector<int>{3, 10, 3, 10, 9, 4, 9, 4, 8, 4, 8, 4, 3, 9, 3, 9, 4, 8, 4, 8}));
  EXPECT_EQ(third.par.score, -300);
  EXPECT_EQ(parContractsText(third.par), "NS 5HX-2");
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
  EXPECT_EQ(a.par.score, 1510);
  EXPECT_EQ(parContractsText(a.par), "NS 7S");
  const Par vulnerable = parOf(a.tricks, Seat::East, Vulnerability::Both);
  EXPECT_EQ(vulnerable.score, 2210);
  EXPECT_EQ(parContractsText(vulnerable), "NS 7S");
}

// A deal with a sacrifice (also solved by the independent solver of the
// `deal` program): North-South make ten tricks in spades, East-West nine in
// hearts, so 5H doubled goes two down against 4S.
TEST(DoubleDummy, SacrificeDependsOnBothVulnerabilities) {
  const BoardHands board = dealFrom("N:Q654.32.K876.KJ3 T.AKJ5.QJ542.765 KJ872.T.AT9.A942 A93.Q98764.3.QT8");
  const BoardAnalysis a = analyse(board);
  const TrickTable expected = {{{10, 4, 8, 8, 6}, {3, 9, 5, 3, 7}, {10, 4, 8, 8, 6}, {3, 9, 5, 3, 7}}};
  EXPECT_EQ(a.tricks, expected);
  // 4S is worth 420 or 620; 5HX-2 costs 300 or 500.
  struct Case {
    Vulnerability vul;
    int score;
    const char* contracts;
  };
  for (const Case& c :
       {Case{Vulnerability::None, 300, "EW 5HX-2"}, Case{Vulnerability::Both, 500, "EW 5HX-2"},
        Case{Vulnerability::NorthSouth, 300, "EW 5HX-2"}, Case{Vulnerability::EastWest, 420, "NS 4S"}}) {
    const Par par = parOf(a.tricks, Seat::North, c.vul);
    EXPECT_EQ(par.score, c.score) << c.contracts;
    EXPECT_EQ(parContractsText(par), c.contracts);
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
  EXPECT_EQ(parContractsText(nothing), "Pass");
  EXPECT_EQ(parScoreText(nothing), "NS 0");

  // Each side makes 1NT when it declares and nothing else: the side that
  // bids first, the dealer's, gets there first.
  TrickTable oneNoTrump = uniformTable(5);
  for (auto& seat : oneNoTrump) seat[4] = 7;
  EXPECT_EQ(parOf(oneNoTrump, Seat::South, Vulnerability::None).score, 90);
  EXPECT_EQ(parContractsText(parOf(oneNoTrump, Seat::South, Vulnerability::None)), "NS 1NT");
  EXPECT_EQ(parOf(oneNoTrump, Seat::West, Vulnerability::None).score, -90);
  EXPECT_EQ(parContractsText(parOf(oneNoTrump, Seat::West, Vulnerability::None)), "EW 1NT");
  EXPECT_EQ(parScoreText(parOf(oneNoTrump, Seat::West, Vulnerability::None)), "NS -90");

  // Only North makes eleven tricks at no trump: 3NT with two overtricks.
  TrickTable northOnly = uniformTable(4);
  northOnly[0][4] = 11;
  EXPECT_EQ(parOf(northOnly, Seat::East, Vulnerability::None).score, 460);
  EXPECT_EQ(parOf(northOnly, Seat::East, Vulnerability::NorthSouth).score, 660);
  EXPECT_EQ(parContractsText(parOf(northOnly, Seat::East, Vulnerability::None)), "N 3NT+2");
}

TEST(DoubleDummy, SolvesMoreBoardsThanOneBatchAndReportsProgress) {
  std::vector<BoardHands> boards(kBoardsPerBatch + 1, dealFrom(kWholeSuits));
  for (std::size_t i = 0; i < boards.size(); ++i) boards[i].number = static_cast<int>(i) + 1;
  boards.back().vulnerability = Vulnerability::NorthSouth;
  std::vector<int> reports;
  const auto results = analyseBoards(boards, [&](int done, int all) {
    EXPECT_EQ(all, kBoardsPerBatch + 1);
    reports.push_back(done);
  });
  ASSERT_EQ(results.size(), boards.size());
  EXPECT_EQ(results.back().number, kBoardsPerBatch + 1);
  EXPECT_EQ(results.back().tricks, results.front().tricks);
  EXPECT_EQ(results.front().par.score, 1510);
  EXPECT_EQ(results.back().par.score, 2210);
  ASSERT_GE(reports.size(), 3u);
  EXPECT_EQ(reports.front(), 0);
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
  EXPECT_NE(std::find(reports.begin(), reports.end(), kBoardsPerBatch), reports.end());
  EXPECT_EQ(reports.back(), kBoardsPerBatch + 1);
}

TEST(DoubleDummy, RefusesBoardsThatAreNotFullDeals) {
  const BoardHands good = dealFrom(kWholeSuits);
  auto refusal = [](BoardHands b) {
    b.number = 7;
    try {
      analyseBoards(std::span(&b, 1));
    } catch (const AnalysisError& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  BoardHands twice = good;  // East also holds the ace of spades
  twice.cards[1][0] = 1;
  twice.cards[1][1] &= static_cast<Holding>(~1u);
  EXPECT_EQ(refusal(twice), "Board 7: a card is dealt twice");
  BoardHands short12 = good;
  short12.cards[3][3] &= static_cast<Holding>(~1u);
  EXPECT_EQ(refusal(short12), "Board 7: W holds 12 cards, not 13");
  BoardHands beyond = good;
  beyond.cards[2][2] = 0x3FFF;
  EXPECT_EQ(refusal(beyond), "Board 7: a holding names a rank beyond the two");
  EXPECT_TRUE(analyseBoards({}).empty());
}

TEST(BoardNumbering, DealerAndVulnerabilityFollowTheUsualRotation) {
  const std::string dealers = "NESWNESWNESWNESWN";
  const char* vul[17] = {"-", "NS", "EW", "B", "NS", "EW", "B",  "-", "EW",
                         "B", "-",  "NS", "B", "-",  "NS", "EW", "-"};
  for (int n = 1; n <= 36; ++n) {
    const auto i = static_cast<std::size_t>((n - 1) % 16);
    EXPECT_EQ(seatLetter(dealerOfBoard(n)), dealers[i]) << n;
    const Vulnerability v = vulnerabilityOfBoard(n);
    const std::string text = v == Vulnerability::None         ? "-"
                             : v == Vulnerability::NorthSouth ? "NS"
                             : v == Vulnerability::EastWest   ? "EW"
                                                              : "B";
    EXPECT_EQ(text, vul[i]) << n;
  }
}

}  // namespace
}  // namespace kveld::analysis
