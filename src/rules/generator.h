#pragma once
// The random generator of the dealer and its seeding. The deals printed on a
// hand record follow from these exactly, so every step is fixed: a linear
// congruential generator on a 32-bit word, positions drawn from its 31 high
// bits, a seed taken from the date and a skip taken from the session and
// deal offset, both in 16-bit arithmetic.
#include <concepts>
#include <cstdint>

#include "rules/set_parameters.h"

namespace kveld {

// Where the dealing of a board takes its positions from: the generator, or a
// script in tests. draw(n) gives a position 0..n in the cards still to be
// dealt (n + 1 of them).
template <typename T>
concept PositionSource = requires(T& source, int n) {
  { source.draw(n) } -> std::same_as<int>;
};

// One step: state x 134775813 + 1, modulo 2^32.
constexpr std::uint32_t generatorStep(std::uint32_t state) { return state * 134775813u + 1u; }

// The state after `steps` steps, in one pass over the bits of the count: the
// step is an affine map, so composing it with itself by squaring gives its
// 2^i-fold power, and the powers for the bits set in `steps` make up the
// jump. About fifteen multiply-adds for a skip of up to 32767.
constexpr std::uint32_t generatorJump(std::uint32_t state, std::uint32_t steps) {
  std::uint32_t mul = 134775813u, add = 1u;  // one step: x * mul + add
  std::uint32_t jumpMul = 1u, jumpAdd = 0u;  // the jump so far
  for (; steps != 0; steps >>= 1) {
    if ((steps & 1u) != 0) {
      jumpMul *= mul;
      jumpAdd = jumpAdd * mul + add;
    }
    add = add * (mul + 1u);
    mul *= mul;
  }
  return state * jumpMul + jumpAdd;
}

// The position 0..n that a state just stepped to gives: the 31 high bits of
// the state as a fraction of 1, times n + 1, rounded down, computed exactly.
constexpr int positionFrom(std::uint32_t state, int n) {
  const std::uint64_t high = state >> 1;
  return static_cast<int>((high * static_cast<std::uint64_t>(n + 1)) >> 31);
}

// The seed value X (odd, -32767..-1) for the date of a set.
std::int16_t seedValue(const SetParameters& params);
// The generator state that a seed value starts from: its single-precision
// bit pattern.
std::uint32_t seedPattern(std::int16_t seedValue);
// How many values are discarded after seeding; none when this is 0 or less.
std::int16_t skipCount(const SetParameters& params);
// The state from which Board 1 of a set is dealt: the seed pattern, one
// discarded step, then the skip.
std::uint32_t seededState(const SetParameters& params);

// The real generator. The dealer steps a copy of the program's state and
// stores it back, so that the state stays in a register while a board is
// dealt.
class Generator {
 public:
  explicit Generator(std::uint32_t state) : state_(state) {}
  int draw(int n) {
    state_ = generatorStep(state_);
    return positionFrom(state_, n);
  }
  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_;
};
static_assert(PositionSource<Generator>);

}  // namespace kveld
