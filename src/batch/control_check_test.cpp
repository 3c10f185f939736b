#include "batch/control_check.h"

#include <gtest/gtest.h>

#include <random>

namespace kveld::batch {
namespace {

struct ControlCheckTest : ::testing::Test {
  ControlCheckTest() { initRuleTables(tables); }
  std::string problemOf(std::string_view text) const {
    const CheckedString c = checkString(text, tables);
    EXPECT_FALSE(c.params) << text;
    return c.problem;
  }
  std::string setOf(std::string_view text) const {
    const CheckedString c = checkString(text, tables);
    EXPECT_TRUE(c.problem.empty()) << text << ": " << c.problem;
    return c.params ? describeSet(*c.params, tables) : "";
  }
  RuleTables tables;
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

TEST_F(ControlCheckTest, EachRefusalSaysWhy) {
  const Case cases[] = {
      {"", "it holds no digits"},
      {"   ", "it holds no digits"},
      {"100010000", "it has 9 digits instead of ten"},
      {"1", "it has 1 digit instead of ten"},
      {"1234567890", "the check digit does not fit the other nine digits (a typing error?)"},
      {"123456789X ", "a blank follows the tenth digit"},
      {"10001000067", "\"7\" follows the tenth digit"},
      {"10X0100006", "\"X\" stands as the third digit; only the tenth (check) digit may be X"},
      {"1000A00006", "\"A\" is not a digit"},
      {"1000\t100006", "a tab is not a digit"},
      {"1000\x1b[2J", "a control character is not a digit"},
      {"1000\xc3\xa9", "a character outside ASCII is not a digit"},
  };
  for (const Case& c : cases) EXPECT_EQ(problemOf(c.text), c.expected) << c.text;
}

TEST_F(ControlCheckTest, EveryRefusedStringGetsAReasonOfItsOwn) {
  // The reasons walk the text by the same rules as the check; a string the
  // check refuses for a rule the reasons do not know would get the general
  // fallback.
  std::mt19937 random(7);
  const std::string alphabet = "0123456789Xx 9";
  int refused = 0;
  for (int i = 0; i < 100000; ++i) {
    std::string text(random() % 14, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const CheckedString c = checkString(text, tables);
    ASSERT_NE(c.params.has_value(), !c.problem.empty()) << text;
    if (!c.params) {
      ++refused;
      ASSERT_NE(c.problem, "it is not a control string") << text;
    }
  }
  EXPECT_GT(refused, 1000);
}

TEST(Printable, ControlCharactersAreNotPassedToTheTerminal) {
  EXPECT_EQ(printable("10\x1b[2J\r\n\x7f"), "10?[2J???");
  EXPECT_EQ(printable("caf\xc3\xa9"), "caf\xc3\xa9");
}

}  // namespace
}  // namespace kveld::batch
