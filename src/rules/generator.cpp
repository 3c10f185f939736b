#include "rules/generator.h"

#include <bit>
#include <limits>

namespace kveld {

static_assert(std::numeric_limits<float>::is_iec559, "the seed is an IEEE-754 single-precision bit pattern");

namespace {
// A 32-bit value reduced to a signed 16-bit one, modulo 65536.
std::int16_t wrap16(std::int32_t value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value)));
}
}  // namespace

std::int16_t seedValue(const SetParameters& p) {
  const std::int32_t days = 372 * p.yearNumber + 31 * (p.monthNumber - 1) + p.dayOfMonth;
  const std::int16_t v = wrap16(2 * days + 1);
  // A negative V is the seed itself; otherwise V less 32768, in 16 bits.
  return v < 0 ? v : static_cast<std::int16_t>(v - 32768);
}

std::uint32_t seedPattern(std::int16_t x) { return std::bit_cast<std::uint32_t>(static_cast<float>(x)); }

std::int16_t skipCount(const SetParameters& p) {
  return wrap16((p.sessionNumber - 1) * 10000 + p.dealOffset);
}

std::uint32_t seededState(const SetParameters& p) {
  const std::uint32_t state = generatorStep(seedPattern(seedValue(p)));
  const int skip = skipCount(p);
  return generatorJump(state, skip > 0 ? static_cast<std::uint32_t>(skip) : 0u);
}

}  // namespace kveld
