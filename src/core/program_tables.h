#pragma once
// The program-wide tables and constants, filled once at start-up and only
// read afterwards: what the screens show and the names of their files.
#include <array>
#include <cstdint>
#include <string>


namespace kveld {

enum ConsoleColour : int {
  black = 0,
  blue = 1,
  green = 2,
  cyan = 3,
  red = 4,
  magenta = 5,
  brown = 6,
  lightGray = 7,
  darkGray = 8,
  lightBlue = 9,
  lightGreen = 10,
  lightCyan = 11,
  lightRed = 12,
  lightMagenta = 13,
  yellow = 14,
  white = 15,
};

struct ProgramTables {
  std::array<std::string, 4> suitSymbol;  // 0..3, symbol + one blank

  std::string iniFileName, scratchFileName;
  std::string blank1, blank2, blank74;
  std::string escKey, enterKey, backspaceKey;
  int messageRow = 0;

  std::string sglV, sglH, sglTopLeft, sglTopRight, sglBottomLeft, sglBottomRight;
  std::string dblV, dblH, dblTopLeft, dblTopRight, dblBottomLeft, dblBottomRight;
  std::string dblTeeRight, dblTeeLeft;
};

// Fills every table and constant.
void initProgramTables(ProgramTables& tables);

}  // namespace kveld
