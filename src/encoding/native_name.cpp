#include "encoding/native_name.h"

#include <cstdint>
#include <vector>

#include "encoding/ascii.h"
#include "encoding/cp437.h"

namespace kveld {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the UTF-8 character at `pos` and moves `pos` past it; an invalid
// sequence yields kInvalid and moves one byte on.
char32_t nextChar(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  const std::uint8_t lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t c = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07u;
  } else {
    ++pos;
    return kInvalid;
  }
  if (pos + length > s.size()) {
    ++pos;
    return kInvalid;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    c = (c << 6) | (byte(pos + i) & 0x3Fu);
  }
  static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += length;
  return c;
}

char32_t foldCase(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

}  // namespace

bool isMultiByteUtf8(std::string_view text) {
  bool multiByte = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = nextChar(text, pos);
    if (c == kInvalid) return false;
    multiByte |= c >= 0x80;
  }
  return multiByte;
}

std::string nativeName(std::string_view programText) {
  // A name typed in UTF-8 (into a hand-edited settings file) is the native
  // name already.
  if (isMultiByteUtf8(programText)) return std::string(programText);
  std::string out;
  for (char c : programText) {
    const auto b = static_cast<std::uint8_t>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += cp437ToUtf8(std::string(1, c));
    }
  }
  return out;
}

std::string programName(std::string_view nativeText, char substitute) {
  std::string out;
  out.reserve(nativeText.size());
  std::size_t pos = 0;
  while (pos < nativeText.size()) {
    const char32_t c = nextChar(nativeText, pos);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const std::uint8_t b = c == kInvalid ? 0 : unicodeToCp437(c);
    out += b >= 0x80 ? static_cast<char>(b) : substitute;
  }
  return out;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t iStart = i;
    const std::size_t jStart = j;
    const char32_t ca = nextChar(a, i);
    const char32_t cb = nextChar(b, j);
    if (ca == kInvalid || cb == kInvalid) {
      // Undecodable bytes match only the same bytes.
      if (a.substr(iStart, i - iStart) != b.substr(jStart, j - jStart)) return false;
      continue;
    }
    if (foldCase(ca) != foldCase(cb)) return false;
  }
  return i == a.size() && j == b.size();
}

bool matchesWildcard(std::string_view pattern, std::string_view name) {
  std::vector<char32_t> p;
  std::vector<char32_t> n;
  for (std::size_t i = 0; i < pattern.size();) p.push_back(foldCase(nextChar(pattern, i)));
  for (std::size_t i = 0; i < name.size();) n.push_back(foldCase(nextChar(name, i)));
  // Greedy matching that goes back to the last "*" on a mismatch.
  std::size_t pi = 0;
  std::size_t ni = 0;
  std::size_t star = p.size();
  std::size_t resume = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == U'*') {
      star = pi++;
      resume = ni;
    } else if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (star < p.size()) {
      pi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

bool nameOrderLess(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto ua = static_cast<unsigned char>(upperAscii(a[i]));
    const auto ub = static_cast<unsigned char>(upperAscii(b[i]));
    if (ua != ub) return ua < ub;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace kveld
