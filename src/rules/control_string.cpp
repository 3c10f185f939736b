#include "rules/control_string.h"

#include "rules/calendar.h"

namespace kveld {

namespace {

constexpr int kDigits = 10;
constexpr int kDaysPerCycle = 1461;  // three years of 365 days and one of 366
constexpr int kDaysPerYear = 365;

std::int16_t i16(int value) { return static_cast<std::int16_t>(value); }

std::string ordinal(int n) {
  static const char* const names[] = {"",      "first",   "second", "third", "fourth", "fifth",
                                      "sixth", "seventh", "eighth", "ninth", "tenth"};
  return n >= 1 && n <= 10 ? names[n] : std::to_string(n) + "th";
}

std::string characterName(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (c == '\t') return "a tab";
  if (u < 32 || u == 127) return "a control character";
  if (u >= 128) return "a character outside ASCII";
  return std::string("\"") + c + "\"";
}

}  // namespace

ControlCheck checkControlText(std::string_view text) {
  ControlCheck check;
  ControlDigits d{};
  int count = 0;
  int sum = 0;
  for (char c : text) {
    if (c == 'x') c = 'X';
    if (count == kDigits) {
      check.problem = (c == ' ' ? std::string("a blank") : characterName(c)) + " follows the tenth digit";
      return check;
    }
    if (c == ' ') continue;
    if (c >= '0' && c <= '9') {
      d[static_cast<std::size_t>(++count)] = i16(c - '0');
    } else if (c == 'X' && count == kDigits - 1) {
      d[static_cast<std::size_t>(++count)] = 10;
    } else {
      check.problem = c == 'X' ? "\"X\" stands as the " + ordinal(count + 1) +
                                     " digit; only the tenth (check) digit may be X"
                               : characterName(c) + " is not a digit";
      return check;
    }
    sum += (kDigits + 1 - count) * d[static_cast<std::size_t>(count)];
  }
  if (count == 0) {
    check.problem = "it holds no digits";
  } else if (count < kDigits) {
    check.problem =
        "it has " + std::to_string(count) + (count == 1 ? " digit" : " digits") + " instead of ten";
  } else if (sum % 11 != 0) {
    check.problem = "the check digit does not fit the other nine digits (a typing error?)";
  } else {
    check.digits = d;
  }
  return check;
}

std::optional<ControlDigits> checkControlString(std::string_view text) {
  return checkControlText(text).digits;
}

// C++ division truncates toward zero and its remainder takes the sign of the
// dividend, which is what the hand records' dates were made with: day counts
// 365, 730, 1095 and 1460 of a cycle give day 0 of January, and the last day
// of a cycle repeats January 1 of the next. The seed depends on both.
CalendarDate decodeDayNumber(std::int16_t dayNumber) {
  const int cycle = (dayNumber - 1) / kDaysPerCycle;
  const int dayOfCycle = (dayNumber - 1) % kDaysPerCycle + 1;
  const int year = dayOfCycle / kDaysPerYear + 1;  // of the day itself, not of the day before
  int day = dayOfCycle - kDaysPerYear * (year - 1);
  const bool leap = year % 4 == 0;
  int month = 1;
  for (;;) {
    const int length = kMonthDays[static_cast<std::size_t>(leap && month == 2 ? 13 : month)];
    if (month == 12 || day <= length) break;
    day -= length;
    ++month;
  }
  return {i16(4 * cycle + year), i16((month - 1) % 12 + 1), i16(day)};
}

SetParameters decodeControlDigits(const ControlDigits& d) {
  SetParameters p;
  p.dayNumber = i16(1000 * d[9] + 100 * d[7] + 10 * d[3] + d[1]);
  const CalendarDate date = decodeDayNumber(p.dayNumber);
  p.yearNumber = date.yearNumber;
  p.monthNumber = date.monthNumber;
  p.dayOfMonth = date.dayOfMonth;
  p.dealOffset = i16(1000 * d[2] + 100 * d[4] + 10 * d[6] + d[8]);
  p.sessionNumber = i16((d[5] - 1) % 4 + 1);  // 0 when the fifth digit is 0
  p.boardCount = i16(d[5] > 4 ? 36 : 24);
  return p;
}

}  // namespace kveld
