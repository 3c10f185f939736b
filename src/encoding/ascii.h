#pragma once
// ASCII letters: the case the program's names and keys are compared in.
#include <string>
#include <string_view>

namespace kveld {

// The letters a..z as A..Z; every other byte (code page 437's accented
// letters among them) as it is.
constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string upperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = upperAscii(c);
  return upper;
}

}  // namespace kveld
