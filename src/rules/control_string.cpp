#include "rules/control_string.h"

namespace kveld {

namespace {

constexpr int kDigits = 10;
constexpr int kDaysPerCycle = 1461;  // three years of 365 days and one of 366
constexpr int kDaysPerYear = 365;

std::int16_t i16(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

std::optional<ControlDigits> checkControlString(std::string_view text) {
  ControlDigits d{};
  int count = 0;
  std::size_t i = 0;
  for (; i < text.size() && count < kDigits; ++i) {
    const char c = text[i];
    if (c == ' ') continue;
    if (c >= '0' && c <= '9') {
      d[static_cast<std::size_t>(++count)] = i16(c - '0');
    } else if (c == 'X' && count == kDigits - 1) {
      d[static_cast<std::size_t>(++count)] = 10;
    } else {
      return std::nullopt;
    }
  }
  // Too few digits, or anything (a blank included) after the tenth.
  if (count < kDigits || i < text.size()) return std::nullopt;
  int sum = 0;
  for (int k = 1; k <= kDigits; ++k) sum += (11 - k) * d[static_cast<std::size_t>(k)];
  if (sum % 11 != 0) return std::nullopt;
  return d;
}

// C++ division truncates toward zero and its remainder takes the sign of the
// dividend, which is what the hand records' dates were made with: day counts
// 365, 730, 1095 and 1460 of a cycle give day 0 of January, and the last day
// of a cycle repeats January 1 of the next. The seed depends on both.
CalendarDate decodeDayNumber(std::int16_t dayNumber, const RuleTables& t) {
  const int cycle = (dayNumber - 1) / kDaysPerCycle;
  const int dayOfCycle = (dayNumber - 1) % kDaysPerCycle + 1;
  const int year = dayOfCycle / kDaysPerYear + 1;  // of the day itself, not of the day before
  int day = dayOfCycle - kDaysPerYear * (year - 1);
  const bool leap = year % 4 == 0;
  int month = 1;
  for (;;) {
    const int length = t.monthDays[static_cast<std::size_t>(leap && month == 2 ? 13 : month)];
    if (month == 12 || day <= length) break;
    day -= length;
    ++month;
  }
  return {i16(4 * cycle + year), i16((month - 1) % 12 + 1), i16(day)};
}

SetParameters decodeControlDigits(const ControlDigits& d, const RuleTables& t) {
  SetParameters p;
  p.dayNumber = i16(1000 * d[9] + 100 * d[7] + 10 * d[3] + d[1]);
  const CalendarDate date = decodeDayNumber(p.dayNumber, t);
  p.yearNumber = date.yearNumber;
  p.monthNumber = date.monthNumber;
  p.dayOfMonth = date.dayOfMonth;
  p.dealOffset = i16(1000 * d[2] + 100 * d[4] + 10 * d[6] + d[8]);
  p.sessionNumber = i16((d[5] - 1) % 4 + 1);  // 0 when the fifth digit is 0
  p.boardCount = i16(d[5] > 4 ? 36 : 24);
  return p;
}

}  // namespace kveld
