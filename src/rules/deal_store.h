#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kveld {

constexpr int kMaxBoards = 36;

// The deals of the current set, boards 1..36 (0 is never used), seats
// 0 North, 1 East, 2 South, 3 West, suits 0 spades .. 3 clubs.
struct DealStore {
  template <typename T>
  using PerSuit = std::array<std::array<std::array<T, 4>, 4>, kMaxBoards + 1>;

  PerSuit<std::int16_t> handBits{};
  PerSuit<std::string> suitHolding{};
  PerSuit<std::int16_t> suitLength{};
  std::array<std::array<std::string, 4>, kMaxBoards + 1> handLine{};
  std::int16_t currentBoard = 0;
};

}  // namespace kveld
