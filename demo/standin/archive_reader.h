#pragma once
// Reading a deal archive file: a three-line heading between two dashed lines,
// then six lines per board with the North hand at column 40 of the "Deal: n"
// line, West at column 23 and East at column 57 of the next line, and South
// at column 40 of the line after that.
#include <array>
#include <string>
#include <vector>

namespace standin {

enum Seat { north = 0, east = 1, south = 2, west = 3 };

// One hand: the rank letters held in spades, hearts, diamonds and clubs,
// highest first, "--" for a void.
using Hand = std::array<std::string, 4>;

struct Board {
  int number = 0;
  std::array<Hand, 4> hands;  // by Seat
};

struct Archive {
  std::string heading;  // the date and session line, without the leading "--"
  std::vector<Board> boards;
  std::vector<std::string> problems;  // one line per board that could not be read
};

// The four holdings of a hand as written in the file ("98 T63 J432 9632 "),
// or false when the text is not four holdings of valid, descending ranks.
bool parseHand(const std::string& text, Hand& hand);

// Reads the whole file content; lines may end in CR LF or LF alone.
Archive parseArchive(const std::string& bytes);

}  // namespace standin
