#include "rules/dealer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "rules/deal_store.h"
#include "testing/reference_deals.h"
#include "testing/set_values.h"

namespace kveld {
namespace {

using reference::boardOf;
using reference::ReferenceBoard;

const SetParameters kExampleA = setOf(1, 1, 1, 1, 0, 24);
const SetParameters kExampleB = setOf(14, 9, 9, 2, 1234, 24);

using Lines = std::array<std::string, 4>;  // North, East, South, West
Lines linesOf(const Board& board) {
  Lines lines;
  for (Seat seat : kSeats) lines[indexOf(seat)] = handLine(board, seat);
  return lines;
}
Lines linesOf(const ReferenceBoard& board) {
  Lines lines;
  for (std::size_t seat = 0; seat < 4; ++seat) lines[seat] = std::string(board.hands[seat]);
  return lines;
}

TEST(Dealer, WorkedExamplesAsTheHandRecordsShowThem) {
  const std::vector<Board> a = dealSet(kExampleA);
  ASSERT_EQ(a.size(), 24u);
  for (const ReferenceBoard& expected : reference::kExampleA) {
    const Board& board = a.at(static_cast<std::size_t>(expected.number - 1));
    EXPECT_EQ(board.number, expected.number);
    EXPECT_EQ(linesOf(board), linesOf(expected)) << "board " << expected.number;
    EXPECT_EQ(board, boardOf(expected));
  }
  EXPECT_EQ(linesOf(dealSet(kExampleB).at(0)), linesOf(reference::kExampleBBoardOne));
}

TEST(Dealer, FirstSixCardsGoToNorthEastSouthWestInTurn) {
  // Example A's first six draws: the 8 and 7 of spades, the 7, 8, 10 and ace
  // of hearts (rank index 0 ace .. 12 two).
  const Board board = dealSet(kExampleA).at(0);
  const struct {
    Seat seat;
    Suit suit;
    int rank;
  } cards[] = {{Seat::North, Suit::Spades, 6}, {Seat::East, Suit::Spades, 7},  {Seat::South, Suit::Hearts, 7},
               {Seat::West, Suit::Hearts, 6},  {Seat::North, Suit::Hearts, 4}, {Seat::East, Suit::Hearts, 0}};
  for (const auto& c : cards) EXPECT_NE(board.holding(c.seat, c.suit) & (1u << c.rank), 0u) << c.rank;
}

TEST(Dealer, VoidIsShownAsTwoDashes) {
  // Example A, Board 3, West: 974 AQ8643 -- K986.
  const Board board = dealSet(kExampleA).at(2);
  EXPECT_EQ(board.holding(Seat::West, Suit::Diamonds), 0);
  EXPECT_EQ(board.length(Seat::West, Suit::Hearts), 6);
  EXPECT_EQ(suitHolding(board, Seat::West, Suit::Diamonds), "--");
  EXPECT_EQ(suitHolding(board, Seat::West, Suit::Hearts), "AQ8643");
}

TEST(Dealer, EachBoardNumberIsGivenBeforeItsBoardAndNoneAbove36) {
  std::vector<int> given;
  SetDealer dealer(kExampleA);
  std::vector<Board> boards = dealer.deal(1, 1, [&](int n) { given.push_back(n); });
  const std::vector<Board> rest = dealer.deal(2, 40, [&](int n) { given.push_back(n); });
  boards.insert(boards.end(), rest.begin(), rest.end());
  std::vector<int> expected;
  for (int n = 1; n <= 36; ++n) expected.push_back(n);
  EXPECT_EQ(given, expected);
  // Dealt in two steps, as the interactive program deals, the boards are
  // those of the whole set.
  const std::vector<Board> whole = dealSet(setOf(1, 1, 1, 1, 0, 36));
  EXPECT_EQ(boards, whole);
}

TEST(Dealer, SameValuesSameDealsWhateverCameBefore) {
  dealSet(setOf(20, 11, 3, 3, 777, 36));
  dealSet(kExampleB);
  EXPECT_EQ(linesOf(dealSet(kExampleA).at(23)), linesOf(reference::kExampleA[3]));
}

TEST(DealStore, ShorterSetLeavesTheLaterBoardsOfALongerOne) {
  DealStore store;
  store.hold(dealSet(setOf(20, 11, 3, 3, 777, 36)));
  const Board board30 = store.board(30);
  store.hold(dealSet(kExampleA));
  EXPECT_EQ(store.board(30), board30);
  EXPECT_EQ(store.board(24), boardOf(reference::kExampleA[3]));
}

TEST(Dealer, LateSessionWithWrappedSkipDealsAsFirstSessionOffsetZero) {
  const std::vector<Board> first = dealSet(setOf(7, 4, 22, 1, 0, 36));
  for (int offset : {2768, 5000, 9999}) EXPECT_EQ(dealSet(setOf(7, 4, 22, 4, offset, 36)), first) << offset;
  EXPECT_NE(dealSet(setOf(7, 4, 22, 4, 2767, 36)).at(0), first.at(0));
}

// Positions read from a script; every draw is recorded with its n.
class ScriptedPositions {
 public:
  explicit ScriptedPositions(std::vector<int> positions) : positions_(std::move(positions)) {}
  int draw(int n) {
    ns.push_back(n);
    if (next_ == positions_.size()) throw std::logic_error("the script holds no more positions");
    return positions_[next_++];
  }
  std::size_t left() const { return positions_.size() - next_; }
  std::vector<int> ns;

 private:
  std::vector<int> positions_;
  std::size_t next_ = 0;
};

// The 13 cards of each seat (North, East, South, West) as card numbers
// (suit x 13 + rank index).
using Hands = std::array<std::vector<int>, 4>;

std::vector<int> range(int from, int to) {
  std::vector<int> out;
  for (int c = from; c <= to; ++c) out.push_back(c);
  return out;
}
std::vector<int> join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The positions that make the dealer give each seat its cards: the deck is
// followed card by card as the seats take them in turn.
std::vector<int> positionsFor(const Hands& hands) {
  std::vector<int> deck = range(0, 51);
  std::vector<int> out;
  int n = 52;
  for (std::size_t round = 0; round < 13; ++round)
    for (const std::vector<int>& hand : hands) {
      --n;
      int p = 0;
      while (deck[static_cast<std::size_t>(p)] != hand.at(round)) ++p;
      deck[static_cast<std::size_t>(p)] = deck[static_cast<std::size_t>(n)];
      out.push_back(p);
    }
  return out;
}

// East 11 spades, West 11 clubs: together 22.
const Hands kWidth22{join({11, 12}, range(15, 25)), join(range(0, 10), {13, 14}),
                     join(range(28, 38), {50, 51}), join({26, 27}, range(39, 49))};
const Lines kWidth22Lines{"32 QJT98765432 -- -- ", "AKQJT987654 AK -- -- ", "-- -- QJT98765432 32 ",
                          "-- -- AK AKQJT987654 "};
// East 12 spades, West 11 clubs: together 23.
const Hands kWidth23{join({12}, range(14, 25)), join(range(0, 11), {13}), join(range(28, 38), {50, 51}),
                     join({26, 27}, range(39, 49))};
// North 13 spades, South 13 hearts, East and West 7 + 6 each.
const Hands kLongNorthSouth{range(0, 12), join(range(26, 32), range(39, 44)), range(13, 25),
                            join(range(33, 38), range(45, 51))};

std::vector<int> expectedNs(int attempts) {
  std::vector<int> out;
  for (int a = 0; a < attempts; ++a)
    for (int n = 51; n >= 0; --n) out.push_back(n);
  return out;
}

TEST(DealerWidthTest, TwentyTwoCardsSideBySideAreAccepted) {
  ScriptedPositions source(join(positionsFor(kWidth22), positionsFor(kLongNorthSouth)));
  Board board;
  EXPECT_EQ(dealCards(board, source), 1);
  EXPECT_EQ(linesOf(board), kWidth22Lines);
  EXPECT_EQ(source.ns, expectedNs(1));  // 52 draws, the last one with n = 0
  EXPECT_EQ(source.left(), 52u);
}

TEST(DealerWidthTest, TwentyThreeCardsSideBySideDealTheBoardAgainFromTheNext52Values) {
  ScriptedPositions source(
      join(join(positionsFor(kWidth23), positionsFor(kWidth22)), positionsFor(kLongNorthSouth)));
  Board board;
  EXPECT_EQ(dealCards(board, source), 2);
  EXPECT_EQ(linesOf(board), kWidth22Lines);
  EXPECT_EQ(source.ns, expectedNs(2));
  // The next board goes on from where the re-deal stopped.
  EXPECT_EQ(dealCards(board, source), 1);
  EXPECT_EQ(handLine(board, Seat::North), "AKQJT98765432 -- -- -- ");
  EXPECT_EQ(handLine(board, Seat::South), "-- AKQJT98765432 -- -- ");
  EXPECT_EQ(source.left(), 0u);
}

TEST(DealerWidthTest, LongSuitsOfNorthAndSouthPlayNoPart) {
  ScriptedPositions source(positionsFor(kLongNorthSouth));
  Board board;
  EXPECT_EQ(dealCards(board, source), 1);
  EXPECT_EQ(handLine(board, Seat::East), "-- -- AKQJT98 AKQJT9 ");
  EXPECT_EQ(handLine(board, Seat::West), "-- -- 765432 8765432 ");
}

}  // namespace
}  // namespace kveld
