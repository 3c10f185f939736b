#pragma once
// Included before every file of the page's build: the C++ library of
// Debian's emscripten (3.1.6) lacks std::bit_cast, which its compiler
// builds in.
#include <bit>

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
