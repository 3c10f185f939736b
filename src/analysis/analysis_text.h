#pragma once
// The double-dummy results of a board in the forms hand records print them:
// declarers North, South, East, West, denominations no trump first.
#include <string>
#include <vector>

#include "analysis/double_dummy.h"

namespace kveld::analysis {

// Twenty hexadecimal digits: for each declarer N, S, E, W the tricks at NT,
// S, H, D, C ("a" for ten ... "d" for thirteen).
std::string doubleDummyTricks(const BoardAnalysis& a);

// The twenty lines of an optimum result table: declarer, the denomination
// right-aligned in two columns, the tricks right-aligned in two ("N NT  9",
// "N  S 10").
std::vector<std::string> optimumResultLines(const BoardAnalysis& a);

// A table for a text diagram, a heading and one row per declarer:
//       NT  S  H  D  C
//   N    9 10  4  8  8
// and the par line: "Par: NS 620, NS 4S".
std::vector<std::string> trickTableLines(const BoardAnalysis& a);

}  // namespace kveld::analysis
