#include "rules/hands.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "rules/rule_tables.h"
#include "rules/dealer.h"
#include "rules/set_dealer.h"

namespace kveld {
namespace {

// Positions from a list, for boards that must be dealt again.
struct ScriptedPositions {
  int draw(int n) {
    const int p = positions.at(next++);
    EXPECT_LE(p, n);
    return p;
  }
  std::vector<int> positions;
  std::size_t next = 0;
};

struct HandsTest : ::testing::Test {
  HandsTest() { initRuleTables(tables); }
  RuleTables tables;
  std::unique_ptr<DealStore> store = std::make_unique<DealStore>();
  Deck deck{};
};

TEST_F(HandsTest, SameCardsAttemptsAndNextStateAsTheBoardDealer) {
  std::mt19937 random(11);
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t state = static_cast<std::uint32_t>(random());
    Generator board(state), hands(state);
    const int boardAttempts = dealBoard(*store, deck, 1, board, tables);
    HandWords words{};
    ASSERT_EQ(dealHands(words, hands, kWidestPair), boardAttempts) << std::hex << state;
    ASSERT_EQ(hands.state(), board.state());
    for (int seat = 0; seat < 4; ++seat)
      for (int suit = 0; suit < 4; ++suit)
        ASSERT_EQ(suitBits(words[static_cast<std::size_t>(seat)], suit),
                  static_cast<std::uint16_t>(
                      store->handBits[1][static_cast<std::size_t>(seat)][static_cast<std::size_t>(suit)]))
            << std::hex << state << " seat " << seat << " suit " << suit;
  }
}

// The positions that deal the cards in this order (North, East, South,
// West in turn) from a full deck.
std::vector<int> positionsFor(const std::vector<int>& cards) {
  std::vector<int> deck(52);
  for (int i = 0; i < 52; ++i) deck[static_cast<std::size_t>(i)] = i;
  std::vector<int> positions;
  int n = 52;
  for (int card : cards) {
    --n;
    std::size_t p = 0;
    while (deck[p] != card) ++p;
    positions.push_back(static_cast<int>(p));
    deck[p] = deck[static_cast<std::size_t>(n)];
  }
  return positions;
}

TEST_F(HandsTest, TwentyThreeCardsSideBySideDealAgainFromTheNext52PositionsAsTheBoardDealerDoes) {
  // East all spades and West all hearts: 26 cards side by side, dealt again.
  // Then East 12 spades and West 11 hearts (23, again), then East 12 spades
  // and West 10 hearts (22, kept).
  auto attempt = [](int eastSpades, int westHearts) {
    std::vector<int> east, west, rest;
    for (int c = 0; c < 52; ++c) {
      if (c < eastSpades)
        east.push_back(c);
      else if (c >= 13 && c < 13 + westHearts)
        west.push_back(c);
      else
        rest.push_back(c);
    }
    // East and West fill up with clubs from the end of the rest.
    while (east.size() < 13) {
      east.push_back(rest.back());
      rest.pop_back();
    }
    while (west.size() < 13) {
      west.push_back(rest.back());
      rest.pop_back();
    }
    std::vector<int> order;
    for (std::size_t r = 0; r < 13; ++r) {
      order.push_back(rest[2 * r]);
      order.push_back(east[r]);
      order.push_back(rest[2 * r + 1]);
      order.push_back(west[r]);
    }
    return positionsFor(order);
  };
  ScriptedPositions source;
  for (const auto& a : {attempt(13, 13), attempt(12, 11), attempt(12, 10)})
    source.positions.insert(source.positions.end(), a.begin(), a.end());
  ScriptedPositions same = source;

  HandWords words{};
  EXPECT_EQ(dealHands(words, source, kWidestPair), 3);
  EXPECT_EQ(source.next, 156u);
  EXPECT_EQ(longestSuit(words[1]), 12);
  EXPECT_EQ(longestSuit(words[3]), 10);
  EXPECT_EQ(dealBoard(*store, deck, 5, same, tables), 3);
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit)
      EXPECT_EQ(suitBits(words[static_cast<std::size_t>(seat)], suit),
                static_cast<std::uint16_t>(
                    store->handBits[5][static_cast<std::size_t>(seat)][static_cast<std::size_t>(suit)]));
}

TEST_F(HandsTest, SetCardsAreTheCardsOfTheInteractiveDealing) {
  // 36 boards, the largest skip: every board's bits as the dealer's.
  SetParameters p;
  p.yearNumber = 3;
  p.monthNumber = 7;
  p.dayOfMonth = 14;
  p.sessionNumber = 4;
  p.dealOffset = 2767;
  p.boardCount = 36;
  Generator generator(seededState(p));
  for (int board = 1; board <= 36; ++board) dealBoard(*store, deck, board, generator, tables);
  auto cards = std::make_unique<DealStore>();
  EXPECT_EQ(dealSetCards(*cards, p), generator.state());
  EXPECT_EQ(cards->handBits, store->handBits);
}

}  // namespace
}  // namespace kveld
