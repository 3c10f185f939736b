#include "rules/dealer.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "testing/set_values.h"

namespace kveld {
namespace {

using HandLines = std::array<std::string, 4>;  // North, East, South, West

const SetParameters kExampleA = setOf(1, 1, 1, 1, 0, 24);
const SetParameters kExampleB = setOf(14, 9, 9, 2, 1234, 24);

struct DealerTest : ::testing::Test {
  DealerTest() { initRuleTables(tables); }

  // Deals boards 1..last of the set into the store.
  void dealSet(const SetParameters& params, int last) {
    SetParameters firstBoards = params;
    firstBoards.boardCount = static_cast<std::int16_t>(last);
    kveld::dealSet(*store, firstBoards, tables);
  }
  HandLines lines(int board) const { return store->handLine[static_cast<std::size_t>(board)]; }

  RuleTables tables;
  std::unique_ptr<DealStore> store = std::make_unique<DealStore>();
  Deck deck{};
};

TEST_F(DealerTest, ExampleAHandLines) {
  struct Board {
    int number;
    HandLines hands;
  };
  const Board boards[] = {
      {1, {"98 T63 J432 9632 ", "A7653 A92 K87 KQ ", "QJ42 Q75 5 AT754 ", "KT KJ84 AQT96 J8 "}},
      {2, {"T743 A65 983 Q32 ", "K2 KQ42 QJT7 865 ", "9865 JT9 642 KJT ", "AQJ 873 AK5 A974 "}},
      {3, {"KJ8 KJ5 KQJT95 5 ", "Q63 97 A763 A732 ", "AT52 T2 842 QJT4 ", "974 AQ8643 -- K986 "}},
      {24, {"QT9 76 KJT74 A98 ", "A8532 AQT52 98 K ", "J7 KJ984 A QT763 ", "K64 3 Q6532 J542 "}},
  };
  dealSet(kExampleA, 24);
  for (const Board& b : boards) EXPECT_EQ(lines(b.number), b.hands) << "board " << b.number;
}

TEST_F(DealerTest, ExampleBBoardOne) {
  dealSet(kExampleB, 1);
  const HandLines expected{"AK763 KJ5 QT T97 ", "Q8 AT7 J9753 865 ", "JT54 Q9832 A QJ2 ",
                           "92 64 K8642 AK43 "};
  EXPECT_EQ(lines(1), expected);
}

TEST_F(DealerTest, StoreItemsAgreeWithTheHandLine) {
  dealSet(kExampleA, 3);
  // Board 3, West: 974 AQ8643 -- K986.
  const auto& bits = store->handBits[3][3];
  EXPECT_EQ(bits[0], (1 << 5) | (1 << 7) | (1 << 10));  // 9, 7, 4 of spades
  EXPECT_EQ(bits[2], 0);
  EXPECT_EQ(store->suitHolding[3][3][2], "--");
  EXPECT_EQ(store->suitLength[3][3][2], 0);
  EXPECT_EQ(store->suitHolding[3][3][1], "AQ8643");
  EXPECT_EQ(store->suitLength[3][3][1], 6);
  // The first six cards of Board 1 went to North, East, South, West, North,
  // East: 8 and 7 of spades, 7, 8, 10 and ace of hearts.
  const auto& board1 = store->handBits[1];
  EXPECT_NE(board1[0][0] & (1 << 6), 0);
  EXPECT_NE(board1[1][0] & (1 << 7), 0);
  EXPECT_NE(board1[2][1] & (1 << 7), 0);
  EXPECT_NE(board1[3][1] & (1 << 6), 0);
  EXPECT_NE(board1[0][1] & (1 << 4), 0);
  EXPECT_NE(board1[1][1] & (1 << 0), 0);
}

TEST_F(DealerTest, SameValuesSameDealsWhateverCameBefore) {
  dealSet(setOf(20, 11, 3, 3, 777, 36), 36);
  dealSet(kExampleB, 5);
  dealSet(kExampleA, 24);
  EXPECT_EQ(lines(24)[3], "K64 3 Q6532 J542 ");
  EXPECT_EQ(lines(2)[0], "T743 A65 983 Q32 ");
}

TEST_F(DealerTest, ShorterSetLeavesTheLaterBoardsOfALongerOne) {
  dealSet(setOf(20, 11, 3, 3, 777, 36), 36);
  const auto board30 = lines(30);
  dealSet(kExampleA, 24);
  EXPECT_EQ(lines(30), board30);
  EXPECT_EQ(lines(24)[0], "QT9 76 KJT74 A98 ");
}

TEST_F(DealerTest, LateSessionWithWrappedSkipDealsAsFirstSessionOffsetZero) {
  dealSet(setOf(7, 4, 22, 1, 0, 36), 36);
  const auto reference = std::make_unique<DealStore>(*store);
  for (int offset : {2768, 5000, 9999}) {
    dealSet(setOf(7, 4, 22, 4, offset, 36), 36);
    for (int board = 1; board <= 36; ++board)
      ASSERT_EQ(lines(board), reference->handLine[static_cast<std::size_t>(board)])
          << "offset " << offset << " board " << board;
  }
  dealSet(setOf(7, 4, 22, 4, 2767, 36), 1);
  EXPECT_NE(lines(1), reference->handLine[1]);
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
const HandLines kWidth22Lines{"32 QJT98765432 -- -- ", "AKQJT987654 AK -- -- ", "-- -- QJT98765432 32 ",
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

TEST_F(DealerTest, TwentyTwoCardsSideBySideAreAccepted) {
  ScriptedPositions source(join(positionsFor(kWidth22), positionsFor(kLongNorthSouth)));
  EXPECT_EQ(dealBoard(*store, deck, 1, source, tables), 1);
  EXPECT_EQ(lines(1), kWidth22Lines);
  EXPECT_EQ(source.ns, expectedNs(1));  // 52 draws, the last one with n = 0
  EXPECT_EQ(source.left(), 52u);
}

TEST_F(DealerTest, TwentyThreeCardsSideBySideDealTheBoardAgainFromTheNext52Values) {
  ScriptedPositions source(
      join(join(positionsFor(kWidth23), positionsFor(kWidth22)), positionsFor(kLongNorthSouth)));
  EXPECT_EQ(dealBoard(*store, deck, 1, source, tables), 2);
  EXPECT_EQ(lines(1), kWidth22Lines);
  EXPECT_EQ(source.ns, expectedNs(2));
  // The next board goes on from where the re-deal stopped.
  EXPECT_EQ(dealBoard(*store, deck, 2, source, tables), 1);
  EXPECT_EQ(lines(2)[0], "AKQJT98765432 -- -- -- ");
  EXPECT_EQ(lines(2)[2], "-- AKQJT98765432 -- -- ");
  EXPECT_EQ(source.left(), 0u);
}

TEST_F(DealerTest, LongSuitsOfNorthAndSouthPlayNoPart) {
  ScriptedPositions source(positionsFor(kLongNorthSouth));
  EXPECT_EQ(dealBoard(*store, deck, 5, source, tables), 1);
  EXPECT_EQ(lines(5)[1], "-- -- AKQJT98 AKQJT9 ");
  EXPECT_EQ(lines(5)[3], "-- -- 765432 8765432 ");
}

TEST_F(DealerTest, DealSetGivesTheBoardsOfTheStoreAndCountsThem) {
  dealSet(kExampleA, 24);
  std::vector<int> shown;
  const std::vector<kveld::Board> boards = kveld::dealSet(kExampleA, [&](int n) { shown.push_back(n); });
  ASSERT_EQ(boards.size(), 24u);
  for (std::size_t i = 0; i < boards.size(); ++i) {
    EXPECT_EQ(boards[i].number, static_cast<int>(i) + 1);
    for (std::size_t seat = 0; seat < 4; ++seat)
      for (std::size_t suit = 0; suit < 4; ++suit)
        EXPECT_EQ(boards[i].cards[seat][suit], static_cast<Holding>(store->handBits[i + 1][seat][suit]));
    EXPECT_EQ(shown[i], static_cast<int>(i) + 1);
  }
}

}  // namespace
}  // namespace kveld
