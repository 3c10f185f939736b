#pragma once
// The valid control strings that one slip of the pen or of the keyboard
// turns into a refused text: one character changed, or two neighbours
// swapped, the slips that the check digit is made to catch. With the set
// each stands for and its Board 1, a player can pick the one that matches
// the printed hand record.
#include <string>
#include <string_view>
#include <vector>

#include "rules/board.h"
#include "rules/set_parameters.h"

namespace kveld {

struct NearString {
  std::string text;  // ten characters, no blanks, a check digit of 10 as "X"
  SetParameters params;
  Board boardOne;
};

// Every valid string that differs from `text` (its blanks left out, a
// lower-case "x" read as "X") in one character or by two neighbouring
// characters swapped, in the order of the strings. None when `text` is
// itself valid, or when it does not hold ten characters besides blanks.
std::vector<NearString> nearStrings(std::string_view text);

// One line of a list of them:
// "1000100006  January 1, Morning  North S 98 H T63 D J432 C 9632".
std::string nearStringLine(const NearString& near);

}  // namespace kveld
