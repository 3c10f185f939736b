#include "rules/control_string.h"

#include <gtest/gtest.h>

#include "testing/set_values.h"

namespace kveld {
namespace {

TEST(DecodeDayNumber, CalendarWithItsDayZeroAndRepeatedFirstOfJanuary) {
  struct Case {
    int day, year, month, dayOfMonth;
  };
  const Case cases[] = {
      {0, 1, 1, 0},     {1, 1, 1, 1},      {59, 1, 2, 28},    {60, 1, 3, 1},   {364, 1, 12, 30},
      {365, 2, 1, 0},   {366, 2, 1, 1},    {730, 3, 1, 0},    {1095, 4, 1, 0}, {1096, 4, 1, 1},
      {1155, 4, 2, 29}, {1459, 4, 12, 29}, {1460, 5, 1, 0},   {1461, 5, 1, 1}, {1462, 5, 1, 1},
      {5000, 14, 9, 9}, {9731, 27, 8, 23}, {9999, 28, 5, 17},
  };
  for (const Case& c : cases) {
    const CalendarDate expected{static_cast<std::int16_t>(c.year), static_cast<std::int16_t>(c.month),
                                static_cast<std::int16_t>(c.dayOfMonth)};
    EXPECT_EQ(decodeDayNumber(static_cast<std::int16_t>(c.day)), expected) << "day " << c.day;
  }
}

TEST(DecodeDayNumber, EveryDayCountGivesADateInRange) {
  for (int day = 0; day <= 9999; ++day) {
    const CalendarDate d = decodeDayNumber(static_cast<std::int16_t>(day));
    ASSERT_GE(d.yearNumber, 1) << day;
    ASSERT_LE(d.yearNumber, 28) << day;
    ASSERT_GE(d.monthNumber, 1) << day;
    ASSERT_LE(d.monthNumber, 12) << day;
    ASSERT_GE(d.dayOfMonth, 0) << day;
    ASSERT_LE(d.dayOfMonth, 31) << day;
  }
}

TEST(CheckControlString, ValidStringsDecode) {
  struct Case {
    const char* text;
    SetParameters expected;
  };
  const SetParameters mixed = decodedSet(9731, 27, 8, 23, 2468, 1, 36);
  const Case cases[] = {
      {"123456789X", mixed},
      {" 123456789X", mixed},
      {"1 23456789X", mixed},
      {"12345678 9X", mixed},
      {"123456789 X", mixed},
      {"123456789x", mixed},                                 // as the typed key is upper-cased
      {"000000006X", decodedSet(6000, 17, 6, 5, 0, 0, 24)},  // X counts 10: 2 x 6 + 10 = 22
      {"0000000000", decodedSet(0, 1, 1, 0, 0, 0, 24)},
      {"1000100006", decodedSet(1, 1, 1, 1, 0, 1, 24)},
      {"0102230455", decodedSet(5000, 14, 9, 9, 1234, 2, 24)},
  };
  for (const Case& c : cases) {
    const ControlCheck check = checkControlText(c.text);
    EXPECT_EQ(check.problem, "") << '"' << c.text << '"';
    const auto digits = checkControlString(c.text);
    ASSERT_TRUE(digits.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(decodeControlDigits(*digits), c.expected) << '"' << c.text << '"';
  }
  const auto x = checkControlString("123456789X");
  EXPECT_EQ((*x)[10], 10);
  EXPECT_EQ((*x)[1], 1);
}

TEST(CheckControlString, EachTypoSaysWhy) {
  const std::string checkDigit = "the check digit does not fit the other nine digits (a typing error?)";
  struct Case {
    std::string_view text, problem;
  };
  const Case cases[] = {
      {"", "it holds no digits"},
      {"   ", "it holds no digits"},
      {"1", "it has 1 digit instead of ten"},
      {"123456789", "it has 9 digits instead of ten"},
      {"   12345 ", "it has 5 digits instead of ten"},
      {"1234567890", checkDigit},  // weighted sum 210
      {"1000100007", checkDigit},  // check digit off by one
      {"000000001X", checkDigit},  // X counts 10: 2 x 1 + 10 = 12
      {"123456789X ", "a blank follows the tenth digit"},
      {"123456789X0", "\"0\" follows the tenth digit"},
      {"1000100006x", "\"X\" follows the tenth digit"},
      {"1000100006-", "\"-\" follows the tenth digit"},
      {"10001-00006", "\"-\" is not a digit"},
      {"10X0100006", "\"X\" stands as the third digit; only the tenth (check) digit may be X"},
      {"1000A00006", "\"A\" is not a digit"},
      {"1000\t100006", "a tab is not a digit"},
      {"1000\x1b[2J", "a control character is not a digit"},
      {"1000\xc3\xa9", "a character outside ASCII is not a digit"},
  };
  for (const Case& c : cases) {
    const ControlCheck check = checkControlText(c.text);
    EXPECT_FALSE(check.digits.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(check.problem, c.problem) << '"' << c.text << '"';
    EXPECT_FALSE(checkControlString(c.text).has_value()) << '"' << c.text << '"';
  }
  // An X in any of the first nine places, even where the sum would work out.
  const char* const ordinals[] = {"first", "second",  "third",  "fourth", "fifth",
                                  "sixth", "seventh", "eighth", "ninth"};
  for (std::size_t i = 0; i < 9; ++i) {
    std::string text = "123456789X";
    text[i] = i % 2 == 0 ? 'X' : 'x';
    EXPECT_EQ(checkControlText(text).problem, "\"X\" stands as the " + std::string(ordinals[i]) +
                                                  " digit; only the tenth (check) digit may be X");
  }
}

TEST(DecodeControlDigits, SessionAndBoardCountByFifthDigit) {
  const int sessions[] = {0, 1, 2, 3, 4, 1, 2, 3, 4, 1};
  for (int d5 = 0; d5 <= 9; ++d5) {
    ControlDigits digits{};
    digits[5] = static_cast<std::int16_t>(d5);
    const SetParameters p = decodeControlDigits(digits);
    EXPECT_EQ(p.sessionNumber, sessions[d5]) << d5;
    EXPECT_EQ(p.boardCount, d5 > 4 ? 36 : 24) << d5;
  }
}

TEST(DecodeControlDigits, PositionsOfDayCountAndOffset) {
  ControlDigits d{};
  for (std::size_t i = 1; i <= 9; ++i) d[i] = static_cast<std::int16_t>(i);
  const SetParameters p = decodeControlDigits(d);
  EXPECT_EQ(p.dayNumber, 9731);
  EXPECT_EQ(p.dealOffset, 2468);
}

}  // namespace
}  // namespace kveld
