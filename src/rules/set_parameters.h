#pragma once
#include <cstdint>

namespace kveld {

// The values decoded from a valid control string.
struct SetParameters {
  std::int16_t dayNumber = 0;      // 0..9999
  std::int16_t yearNumber = 0;     // 1..28
  std::int16_t monthNumber = 0;    // 1..12
  std::int16_t dayOfMonth = 0;     // 0..31
  std::int16_t dealOffset = 0;     // 0..9999
  std::int16_t sessionNumber = 0;  // 0..4
  std::int16_t boardCount = 0;     // 24 or 36
  bool operator==(const SetParameters&) const = default;
};

}  // namespace kveld
