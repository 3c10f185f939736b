#include "formats/control_check.h"

#include <gtest/gtest.h>

#include "formats/formats.h"

namespace kveld::formats {
namespace {

struct ControlCheckTest : ::testing::Test {
  std::string problemOf(std::string_view text) const {
    const CheckedString c = checkString(text);
    EXPECT_FALSE(c.params) << text;
    return c.problem;
  }
  std::string setOf(std::string_view text) const {
    const CheckedString c = checkString(text);
    EXPECT_TRUE(c.problem.empty()) << text << ": " << c.problem;
    return c.params ? setHeading(*c.params) : "";
  }
};

struct Case {
  std::string_view text;
  std::string_view expected;
};

TEST_F(ControlCheckTest, ValidStringsAndTheirSets) {
  const Case cases[] = {
      {"1000100006", "January 1, Morning, 24 boards"},
      {"0102230455", "September 9, Afternoon, 24 boards"},
      {"123456789X", "August 23, Morning, 36 boards"},
      // Typed as the interactive program takes it: lower-case x, blanks
      // before and between the digits.
      {"123456789x", "August 23, Morning, 36 boards"},
      {" 12345 6789X", "August 23, Morning, 36 boards"},
      // Session 0 and day 0 of January.
      {"0000000000", "January 0, Session, 24 boards"},
      {"506020300X", "January 0, Afternoon, 24 boards"},
  };
  for (const Case& c : cases) EXPECT_EQ(setOf(c.text), c.expected) << c.text;
}

TEST_F(ControlCheckTest, RefusalsSayWhy) {
  const Case cases[] = {
      {"", "it holds no digits"},
      {"1234567890", "the check digit does not fit the other nine digits (a typing error?)"},
      {"123456789X ", "a blank follows the tenth digit"},
      {"10x0100006", "\"X\" stands as the third digit; only the tenth (check) digit may be X"},
  };
  for (const Case& c : cases) EXPECT_EQ(problemOf(c.text), c.expected) << c.text;
}

TEST(Printable, ControlCharactersAreNotPassedToTheTerminal) {
  EXPECT_EQ(printable("10\x1b[2J\r\n\x7f"), "10?[2J???");
  EXPECT_EQ(printable("caf\xc3\xa9"), "caf\xc3\xa9");
}

}  // namespace
}  // namespace kveld::formats
