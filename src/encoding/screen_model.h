#pragma once
// The 80 x 25 console as the program sees it: a code-page-437 byte and a colour
// attribute (foreground + 16 x background) per cell, and the cursor.
#include <array>
#include <cstdint>

namespace kveld {

struct Cell {
  std::uint8_t ch = ' ';
  std::uint8_t attr = 0x07;
  bool operator==(const Cell&) const = default;
};

struct ScreenModel {
  static constexpr int kColumns = 80;
  static constexpr int kRows = 25;
  std::array<Cell, kColumns * kRows> cells{};
  int cursorColumn = 1;  // 1..80
  int cursorRow = 1;     // 1..25
  bool cursorVisible = true;

  // Columns and rows are counted from 1.
  Cell& at(int column, int row) { return cells[static_cast<std::size_t>((row - 1) * kColumns + column - 1)]; }
  const Cell& at(int column, int row) const {
    return cells[static_cast<std::size_t>((row - 1) * kColumns + column - 1)];
  }
  bool operator==(const ScreenModel&) const = default;
};

}  // namespace kveld
