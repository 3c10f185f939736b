#pragma once
// The tables that the dealing and archive rules read: card and calendar
// names, bit values, the archive folder. Filled once, only read afterwards.
// The sizes and the 16-bit entries are those the rules index and add with:
// rank 0..12, suit 0..3, month 1..12 (13 = leap February), session 0..4,
// and bit 15 reads -32768 as the hand-record arithmetic expects.
#include <array>
#include <cstdint>
#include <string>

namespace kveld {

struct RuleTables {
  std::array<std::string, 13> rankLetter;    // 0..12
  std::array<std::int16_t, 16> bitValue{};   // 0..15, entry 15 reads -32768
  std::array<std::string, 13> monthName;     // 1..12
  std::array<std::int16_t, 14> monthDays{};  // 1..13, 13 = leap February
  std::array<std::string, 5> sessionName;    // 1..4 (0: our own "Session")
  std::array<std::string, 5> sessionLetter;  // 1..4 (0: our own "S")

  std::string archiveFolderName;
  std::string blank1, voidMark;
};

// Fills every rule table.
void initRuleTables(RuleTables& tables);

}  // namespace kveld
