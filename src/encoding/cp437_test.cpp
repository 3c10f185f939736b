#include "encoding/cp437.h"

#include <gtest/gtest.h>

namespace kveld {
namespace {

TEST(Cp437, GlyphsTheScreensUse) {
  EXPECT_EQ(cp437ToUnicode(6), U'\u2660');    // spade
  EXPECT_EQ(cp437ToUnicode(3), U'\u2665');    // heart
  EXPECT_EQ(cp437ToUnicode(4), U'\u2666');    // diamond
  EXPECT_EQ(cp437ToUnicode(5), U'\u2663');    // club
  EXPECT_EQ(cp437ToUnicode(201), U'\u2554');  // double top-left
  EXPECT_EQ(cp437ToUnicode(205), U'\u2550');
  EXPECT_EQ(cp437ToUnicode(186), U'\u2551');
  EXPECT_EQ(cp437ToUnicode(204), U'\u2560');
  EXPECT_EQ(cp437ToUnicode(185), U'\u2563');
  EXPECT_EQ(cp437ToUnicode(218), U'\u250C');
  EXPECT_EQ(cp437ToUnicode(217), U'\u2518');
  EXPECT_EQ(cp437ToUnicode(220), U'\u2584');
  EXPECT_EQ(cp437ToUnicode(219), U'\u2588');
  EXPECT_EQ(cp437ToUnicode(223), U'\u2580');
  EXPECT_EQ(cp437ToUnicode(255), U'\u00A0');
  EXPECT_EQ(cp437ToUnicode('A'), U'A');
}

TEST(Cp437, EveryByteRoundTrips) {
  for (int b = 1; b < 256; ++b)
    EXPECT_EQ(unicodeToCp437(cp437ToUnicode(static_cast<std::uint8_t>(b))), b) << b;
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf16ToCp437(cp437ToUtf16(all)), all);
  EXPECT_EQ(cp437ToUtf8("\x06"), "\xE2\x99\xA0");
}

}  // namespace
}  // namespace kveld
