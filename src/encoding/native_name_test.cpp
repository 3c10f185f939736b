#include "encoding/native_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kveld {
namespace {

TEST(NativeName, CodePage437AndUtf8BothWays) {
  struct Case {
    std::string program;
    std::string native;
  } cases[] = {
      {"Deal Archive", "Deal Archive"},
      {"d\x82j\x85 vu", "d\xC3\xA9j\xC3\xA0 vu"},  // é à
      {"\x9A"
       "ber",
       "\xC3\x9C"
       "ber"},               // Ü
      {"\x7F", "\x7F"},      // no console glyph in a name
      {"\xE1", "\xC3\x9F"},  // ß
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nativeName(c.program), c.native) << c.program;
    EXPECT_EQ(programName(c.native, '?'), c.program) << c.program;
  }
}

TEST(NativeName, WhatCodePage437CannotHoldBecomesTheSubstitute) {
  EXPECT_EQ(programName("\xE2\x82\xAC"
                        "uro",
                        '?'),
            "?uro");                                 // euro sign
  EXPECT_EQ(programName("\xE6\x97\xA5", '_'), "_");  // a CJK character
  EXPECT_EQ(programName("a\xFF"
                        "b",
                        '?'),
            "a?b");                               // not UTF-8
  EXPECT_EQ(programName("a\xC3", '?'), "a?");     // cut short
  EXPECT_EQ(programName("\xC0\x80", '?'), "??");  // overlong
}

TEST(NativeName, SameNameIgnoringCase) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"Deal Archive", "DEAL ARCHIVE", true},
      {"kveld.ini", "KVELD.INI", true},
      {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", true},  // été / ÉTÉ
      {"abc", "abd", false},
      {"abc", "abcd", false},
      {"abc", "ab", false},
      {"a\xFF", "A\xFF", true},
      {"a\xFF", "a\xFE", false},
      {"", "", true},
  };
  for (const Case& c : cases) EXPECT_EQ(sameNameIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(NativeName, Wildcards) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"d*.exe", "dfinesse.exe", true},
      {"d*.exe", "DFINESSE.EXE", true},
      {"d*.exe", "D.exe", true},
      {"d*.exe", "deep.exe.bak", false},
      {"d*.exe", "adf.exe", false},
      {"d*.exe", "d.ex", false},
      {"d*.exe", "dx.exe.exe", true},
      {"d?.exe", "dx.exe", true},
      {"d?.exe", "d.exe", false},
      {"*", "", true},
      {"d*e*e", "deep finesse", true},
      {"d*e*e", "deep finess", false},
      {"\xC3\xA9*", "\xC3\x89t\xC3\xA9", true},
      {"?t?", "\xC3\xA9t\xC3\xA9", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(NativeName, NameOrderIgnoresCaseThenBreaksTiesByBytes) {
  std::vector<std::string> names = {"b", "DF", "Deal", "a", "deal", "A", "_x", "df"};
  std::sort(names.begin(), names.end(), nameOrderLess);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "b", "Deal", "deal", "DF", "df", "_x"}));
}

}  // namespace
}  // namespace kveld
