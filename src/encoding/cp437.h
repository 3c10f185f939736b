#pragma once
// Code page 437: the glyph each byte shows on the console.
#include <cstdint>
#include <string>

namespace kveld {

// The Unicode character that code page 437 shows for a byte (the console's
// glyphs: 3 is a heart, 6 a spade, 201 a double top-left corner, ...).
char32_t cp437ToUnicode(std::uint8_t byte);
// The byte that shows a Unicode character, or 0 when code page 437 has none.
std::uint8_t unicodeToCp437(char32_t ch);
// A code-page-437 text as UTF-8 (for terminals) and as UTF-16 (for Windows).
std::string cp437ToUtf8(const std::string& text);
std::u16string cp437ToUtf16(const std::string& text);
std::string utf16ToCp437(const std::u16string& text);
// Appends one character of the Basic Multilingual Plane as UTF-8.
void appendUtf8(std::string& out, char32_t ch);

}  // namespace kveld
