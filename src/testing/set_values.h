#pragma once
// The values of a set, written the short way for tests.
#include <cstdint>

#include "rules/set_parameters.h"

namespace kveld {

// A set by its date first, as the seed takes it; the day count is 0.
inline SetParameters setOf(int year, int month, int day, int session = 1, int offset = 0, int boards = 24) {
  SetParameters p;
  p.yearNumber = static_cast<std::int16_t>(year);
  p.monthNumber = static_cast<std::int16_t>(month);
  p.dayOfMonth = static_cast<std::int16_t>(day);
  p.sessionNumber = static_cast<std::int16_t>(session);
  p.dealOffset = static_cast<std::int16_t>(offset);
  p.boardCount = static_cast<std::int16_t>(boards);
  return p;
}

// A set as a control string decodes it: the day count first.
inline SetParameters decodedSet(int dayNumber, int year, int month, int day, int offset, int session,
                                int boards) {
  SetParameters p = setOf(year, month, day, session, offset, boards);
  p.dayNumber = static_cast<std::int16_t>(dayNumber);
  return p;
}

}  // namespace kveld
