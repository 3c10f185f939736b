#include "core/program_tables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace kveld {
namespace {

// The calendar and the bit arithmetic, checked against what they must add
// up to rather than entry by entry. The names and letters are read by the
// hand-record, archive and screen tests, which see them as printed.
TEST(ProgramTables, CalendarAndBitValuesAddUp) {
  ProgramTables t;
  initProgramTables(t);
  const int year = std::accumulate(t.monthDays.begin() + 1, t.monthDays.begin() + 13, 0);
  EXPECT_EQ(year, 365);
  EXPECT_EQ(year - t.monthDays[2] + t.monthDays[13], 366);  // entry 13: February of a leap year
  for (std::size_t i = 0; i < t.bitValue.size(); ++i)
    EXPECT_EQ(static_cast<std::uint16_t>(t.bitValue[i]), 1u << i) << "bit " << i;
  EXPECT_EQ(t.bitValue[15], -32768);  // read as a signed 16-bit word
}

}  // namespace
}  // namespace kveld
