#pragma once
// The names of months and sessions that sets are dated and titled with, and
// the month lengths that a control string's day count is read with. Month
// entries count from 1; entry 13 of the lengths is February of a leap year.
// A session's entries count from 1 to 4; session 0 (a fifth control digit 0)
// has no name of its own in the hand records and is written "Session", "S".
#include <array>
#include <cstddef>
#include <string_view>

namespace kveld {

constexpr std::array<std::string_view, 13> kMonthName = {
    "",     "January", "February",  "March",   "April",    "May",      "June",
    "July", "August",  "September", "October", "November", "December"};
constexpr std::array<int, 14> kMonthDays = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 29};
constexpr std::array<std::string_view, 5> kSessionName = {"Session", "Morning", "Afternoon", "Evening", "Late"};
constexpr std::array<std::string_view, 5> kSessionLetter = {"S", "M", "A", "E", "L"};

namespace calendarCheck {
constexpr int daysOfYear(bool leap) {
  int days = 0;
  for (std::size_t m = 1; m <= 12; ++m) days += kMonthDays[leap && m == 2 ? 13 : m];
  return days;
}
static_assert(daysOfYear(false) == 365 && daysOfYear(true) == 366);
}  // namespace calendarCheck

}  // namespace kveld
