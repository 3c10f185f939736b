#pragma once
// The dealing of one board reduced to its cards: each seat's hand as one
// 64-bit word, bit 16 x suit + rank index, kept in registers while the 52
// cards are drawn. The width test counts the bits of a suit.
#include <array>
#include <bit>
#include <cstdint>

#include "rules/generator.h"

namespace kveld {

// North, East, South, West.
using HandWords = std::array<std::uint64_t, 4>;

constexpr int kSuitShift = 16;
constexpr std::uint64_t kSuitMask = 0x1FFF;  // the 13 ranks of one suit

// The deck of one dealing attempt. Each card is kept as the place of its bit
// in a hand word, 16 x suit + rank index, so that taking it is one shift.
using CardDeck = std::array<std::uint8_t, 52>;

// Cards 0..51 in order: the ace of spades to the two of clubs.
constexpr CardDeck kFullDeck = [] {
  CardDeck deck{};
  for (int card = 0; card < 52; ++card)
    deck[static_cast<std::size_t>(card)] = static_cast<std::uint8_t>(kSuitShift * (card / 13) + card % 13);
  return deck;
}();

// The ranks held in a suit, bit r for rank index r.
constexpr std::uint16_t suitBits(std::uint64_t hand, int suit) {
  return static_cast<std::uint16_t>((hand >> (kSuitShift * suit)) & kSuitMask);
}

constexpr int longestSuit(std::uint64_t hand) {
  int longest = 0;
  for (int suit = 0; suit < 4; ++suit) {
    const int length = std::popcount(suitBits(hand, suit));
    longest = length > longest ? length : longest;
  }
  return longest;
}

// Deals one board with positions from `source`: 52 draws per attempt, North,
// East, South, West in turn for thirteen rounds, each card taken from its
// position in the deck and the deck's last card moved there. An attempt in
// which East's and West's longest suits hold together more than
// `widestPair` cards is thrown away and the board dealt again from the
// source's next positions. Returns the number of attempts.
template <PositionSource Source>
int dealHands(HandWords& hands, Source& source, int widestPair) {
  CardDeck deck;
  for (int attempt = 1;; ++attempt) {
    deck = kFullDeck;
    std::uint64_t north = 0, east = 0, south = 0, west = 0;
    int n = 52;
    auto take = [&](std::uint64_t& hand) {
      // The last card (n = 0) still costs a draw, so that every attempt
      // takes exactly 52 values from the source.
      --n;
      const auto p = static_cast<std::size_t>(source.draw(n));
      const unsigned card = deck[p];
      deck[p] = deck[static_cast<std::size_t>(n)];
      hand |= std::uint64_t{1} << card;
    };
    for (int round = 0; round < 13; ++round) {
      take(north);
      take(east);
      take(south);
      take(west);
    }
    if (longestSuit(east) + longestSuit(west) <= widestPair) {
      hands = {north, east, south, west};
      return attempt;
    }
  }
}

}  // namespace kveld
