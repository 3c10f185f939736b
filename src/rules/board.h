#pragma once
// A duplicate board and every fact of bridge the program knows: seats,
// suits and ranks with their letters, the board cycle that decides a
// board's dealer and vulnerability, the words for a vulnerability, the
// text of a holding and the title of a set. Each fact is written here once;
// the front ends and formats only show what these give.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/set_parameters.h"

namespace kveld {

// Seat index 0 North, 1 East, 2 South, 3 West: top, right, bottom and left
// of every diagram, and the order in which cards are dealt.
enum class Seat : std::uint8_t { North, East, South, West };
// Suit index 0 spades .. 3 clubs: card div 13.
enum class Suit : std::uint8_t { Spades, Hearts, Diamonds, Clubs };
enum class Vulnerability : std::uint8_t { None, NorthSouth, EastWest, Both };

constexpr std::array<Seat, 4> kSeats = {Seat::North, Seat::East, Seat::South, Seat::West};
constexpr std::array<Suit, 4> kSuits = {Suit::Spades, Suit::Hearts, Suit::Diamonds, Suit::Clubs};
constexpr int kRanks = 13;  // rank index 0 ace, 1 king, ... 12 two: card mod 13
// A set has 24 or 36 boards.
constexpr int kMaxBoards = 36;

constexpr std::size_t indexOf(Seat seat) { return static_cast<std::size_t>(seat); }
constexpr std::size_t indexOf(Suit suit) { return static_cast<std::size_t>(suit); }

// The cards of one suit in one hand: bit r set for rank index r. Only the
// 13 low bits are used.
using Holding = std::uint16_t;

struct Board {
  int number = 0;
  std::array<std::array<Holding, 4>, 4> cards{};  // [seat][suit]

  constexpr Holding holding(Seat seat, Suit suit) const { return cards[indexOf(seat)][indexOf(suit)]; }
  constexpr int length(Seat seat, Suit suit) const { return std::popcount(holding(seat, suit)); }
  constexpr int longestSuit(Seat seat) const {
    int longest = 0;
    for (Suit suit : kSuits) longest = length(seat, suit) > longest ? length(seat, suit) : longest;
    return longest;
  }
  // The hand's high-card points: ace 4, king 3, queen 2, jack 1.
  constexpr int highCardPoints(Seat seat) const {
    int points = 0;
    for (Suit suit : kSuits)
      for (int rank = 0; rank < 4; ++rank) points += (holding(seat, suit) >> rank & 1) * (4 - rank);
    return points;
  }
  bool operator==(const Board&) const = default;
};

// The rotation of duplicate boards: North deals Board 1, East Board 2, and so
// on; the vulnerability follows a cycle of 16 boards, so Board 17 is
// vulnerable as Board 1.
constexpr Seat dealerOf(int boardNumber) {
  return kSeats[static_cast<std::size_t>(((boardNumber - 1) % 4 + 4) % 4)];
}
constexpr Vulnerability vulnerabilityOf(int boardNumber) {
  using enum Vulnerability;
  constexpr std::array<Vulnerability, 16> cycle = {
      None,     NorthSouth, EastWest, Both,       NorthSouth, EastWest, Both,       None,
      EastWest, Both,       None,     NorthSouth, Both,       None,     NorthSouth, EastWest};
  return cycle[static_cast<std::size_t>(((boardNumber - 1) % 16 + 16) % 16)];
}
constexpr bool isNorthSouth(Seat seat) { return seat == Seat::North || seat == Seat::South; }
constexpr bool isVulnerable(Vulnerability v, Seat seat) {
  return v == Vulnerability::Both || (v == Vulnerability::NorthSouth && isNorthSouth(seat)) ||
         (v == Vulnerability::EastWest && !isNorthSouth(seat));
}

constexpr char seatLetter(Seat seat) { return "NESW"[indexOf(seat)]; }
constexpr std::string_view seatName(Seat seat) {
  constexpr std::array<std::string_view, 4> names = {"North", "East", "South", "West"};
  return names[indexOf(seat)];
}
constexpr char suitLetter(Suit suit) { return "SHDC"[indexOf(suit)]; }
// A ten is always "T".
constexpr char rankLetter(int rank) { return "AKQJT98765432"[rank]; }

// As a hand record prints it: "None", "N-S", "E-W", "Both".
constexpr std::string_view vulnerabilityWords(Vulnerability v) {
  constexpr std::array<std::string_view, 4> words = {"None", "N-S", "E-W", "Both"};
  return words[static_cast<std::size_t>(v)];
}
// As a PBN file's Vulnerable tag gives it: "None", "NS", "EW", "All".
constexpr std::string_view vulnerabilityTag(Vulnerability v) {
  constexpr std::array<std::string_view, 4> tags = {"None", "NS", "EW", "All"};
  return tags[static_cast<std::size_t>(v)];
}

// How a hand record and the deal store show a void.
constexpr std::string_view kVoidMark = "--";

// The rank letters held, highest first ("AQT96"); a void as `voidText`
// (kVoidMark in the deal store, nothing in a PBN deal).
std::string holdingText(Holding holding, std::string_view voidText);

// The holding that rank letters stand for, in any order and either case
// ("AQT96", "69tqa"); nothing when a letter is no rank or stands twice.
std::optional<Holding> holdingOf(std::string_view letters);

// The day a set was played, as every form dates it: "January 1".
std::string setDate(const SetParameters& set);
// The set a control string stands for, as every form titles it:
// "January 1, Morning".
std::string setTitle(const SetParameters& set);

}  // namespace kveld
