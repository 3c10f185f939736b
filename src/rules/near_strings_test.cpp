#include "rules/near_strings.h"

#include <gtest/gtest.h>

namespace kveld {
namespace {

std::vector<std::string> textsNear(std::string_view text) {
  std::vector<std::string> texts;
  for (const NearString& n : nearStrings(text)) texts.push_back(n.text);
  return texts;
}

// Each list worked by hand from the weights 10 down to 1: a change of d at
// weight w moves the sum by w * d, a swap of neighbours by their difference.
TEST(NearStrings, TheValidStringsOneSlipAway) {
  struct Case {
    const char* text;
    std::vector<std::string> near;
  };
  const Case cases[] = {
      // 1000100006 with its check digit mistyped: every digit but the
      // fifth (which would need 10) has one fix, and two swaps fit.
      {"1000100007",
       {"0100100007", "1000010007", "1000100006", "1000100057", "1000100707", "1000108007", "1000120007",
        "1003100007", "1040100007", "1600100007", "2000100007"}},
      // 123456789X with its third and fourth digits swapped.
      {"124356789X",
       {"123456789X", "124336789X", "124356489X", "124356749X", "124356783X", "1243567899", "124358789X",
        "124656789X", "128356789X", "184356789X", "224356789X"}},
      // An X as the ninth digit: it becomes a digit, or swaps with the tenth.
      {"12345678X9", {"1234567849", "123456789X"}},
      {"1234 5678x9", {"1234567849", "123456789X"}},
      // A letter O for a zero.
      {"12345678O0", {"1234567830"}},
      // The X would have to become 10 where only the check digit may.
      {"X000000050", {}},
      // Not ten characters, or not refused at all.
      {"123456789", {}}, {"12345678901", {}}, {"123456789X", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(textsNear(c.text), c.near) << c.text;
}

// The third string near 1000100007 is the README's worked set, Board 1's
// North as its hand record shows it.
TEST(NearStrings, EachLineNamesTheSetAndBoardOnesNorth) {
  EXPECT_EQ(nearStringLine(nearStrings("1000100007").at(2)),
            "1000100006  January 1, Morning  North S 98 H T63 D J432 C 9632");
}

}  // namespace
}  // namespace kveld
