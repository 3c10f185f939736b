#include "core/program_tables.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kveld {
namespace {

TEST(ProgramTables, ValuesOtherStepsRelyOn) {
  ProgramTables t;
  initProgramTables(t);
  EXPECT_EQ(t.bitValue[12], 4096);
  EXPECT_EQ(t.bitValue[15], -32768);
  EXPECT_EQ(std::accumulate(t.bitValue.begin(), t.bitValue.begin() + 13, 0), 8191);
  EXPECT_EQ(t.rankLetter[4], "T");
  EXPECT_EQ(t.rankLetter[12], "2");
  EXPECT_EQ(t.suitSymbol[0], std::string("\x06 "));
  EXPECT_EQ(t.suitSymbol[3], std::string("\x05 "));
  EXPECT_EQ(t.monthDays[2], 28);
  EXPECT_EQ(t.monthDays[13], 29);
  EXPECT_EQ(t.sessionName[1], "Morning");
  EXPECT_EQ(t.sessionName[4], "Late");
  EXPECT_EQ(t.sessionLetter[3], "E");
  EXPECT_EQ(t.blank74.size(), 74u);
  EXPECT_EQ(t.messageRow, 22);
  EXPECT_EQ(t.dblTopLeft, "\xC9");
  EXPECT_EQ(t.sglBottomRight, "\xD9");
}

}  // namespace
}  // namespace kveld
