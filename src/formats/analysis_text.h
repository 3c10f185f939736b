#pragma once
// The double-dummy results of a board in the forms hand records print them:
// declarers North, South, East, West, denominations no trump first.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/double_dummy.h"

namespace kveld::formats {

// The order of every table of tricks: declarers North, South, East, West;
// denominations no trump first, then the suits.
inline constexpr std::array<Seat, 4> kDeclarerOrder = {Seat::North, Seat::South, Seat::East, Seat::West};
inline constexpr std::array<analysis::Denomination, 5> kDenominationOrder = {
    analysis::Denomination::NoTrump, analysis::Denomination::Spades, analysis::Denomination::Hearts,
    analysis::Denomination::Diamonds, analysis::Denomination::Clubs};

std::string denominationText(analysis::Denomination d);    // S H D C NT
std::string declarersText(analysis::Declarers declarers);  // N E S W NS EW
// A par contract as hand records print it: "4S", "3NT+1", "5DX-2" (a
// sacrifice is doubled).
std::string contractText(const analysis::ParContract& contract);
// The par score from North-South's side: "NS 620", "NS -100", "NS 0".
std::string parScoreText(const analysis::Par& par);
// All par contracts, each with its declarers: "NS 4S", "EW 5DX-1, EW 5CX-1";
// "Pass" when the board is passed out.
std::string parContractsText(const analysis::Par& par);

// Twenty hexadecimal digits: for each declarer N, S, E, W the tricks at NT,
// S, H, D, C ("a" for ten ... "d" for thirteen).
std::string doubleDummyTricks(const analysis::BoardAnalysis& a);
std::string doubleDummyTricks(const analysis::TrickTable& tricks);
// The table those digits stand for; nothing unless they are twenty digits
// from 0 to d (either case).
std::optional<analysis::TrickTable> tricksFromDigits(std::string_view digits);

// The twenty lines of an optimum result table: declarer, the denomination
// right-aligned in two columns, the tricks right-aligned in two ("N NT  9",
// "N  S 10").
std::vector<std::string> optimumResultLines(const analysis::BoardAnalysis& a);

// A table for a text diagram, a heading and one row per declarer:
//       NT  S  H  D  C
//   N    9 10  4  8  8
// and the par line: "Par: NS 620, NS 4S".
std::vector<std::string> trickTableLines(const analysis::BoardAnalysis& a);

}  // namespace kveld::formats
