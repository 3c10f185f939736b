#include "encoding/short_name.h"

#include <gtest/gtest.h>

namespace kveld {
namespace {

TEST(ShortName, WhichNamesAreShortNamesThemselves) {
  struct Case {
    const char* name;
    bool shortName;
  } cases[] = {
      {"DEALAR~1", true},   {"dealar~1", true},  {"README.TXT", true},
      {"readme.txt", true}, {"A", true},         {"ABCDEFGH.ABC", true},
      {"ABCDEFGHI", false}, {"ABC.ABCD", false}, {"Deal Archive", false},
      {"A.B.C", false},     {".profile", false}, {"ABC.", false},
      {"A+B", false},       {"A[1]", false},     {"{x}~!.@#", true},
      {"\x82t\x82", true},  {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isShortName(c.name), c.shortName) << c.name;
}

TEST(ShortName, AliasOfALongName) {
  struct Case {
    const char* name;
    const char* alias;
  } cases[] = {
      {"Deal Archive", "DEALAR~1"},
      {"Deal Archives", "DEALAR~1"},
      {"deal archive", "DEALAR~1"},
      {"De al Ar chive", "DEALAR~1"},
      {"Release notes.text", "RELEAS~1.TEX"},
      {"a b.txt", "AB~1.TXT"},
      {"my.file.name.txt", "MYFILE~1.TXT"},
      {".profile", "PROFIL~1"},
      {".txt", "TXT~1"},
      {"a+b=c;d,e[f]g", "A_B_C_~1"},
      {"ab.c", "AB~1.C"},  // (a short name itself; the alias form still follows the rules)
      {"\x82t\x82 long", "\x90T\x90LON~1"},
      {"ABCDEFGHI", "ABCDEF~1"},
      {"x.abcdef", "X~1.ABC"},
  };
  for (const Case& c : cases) EXPECT_EQ(aliasName(aliasStem(c.name), 1), c.alias) << c.name;
}

TEST(ShortName, NumbersMakeRoomForMoreDigits) {
  const AliasStem stem = aliasStem("Deal Archive.doc");
  EXPECT_EQ(aliasName(stem, 2), "DEALAR~2.DOC");
  EXPECT_EQ(aliasName(stem, 9), "DEALAR~9.DOC");
  EXPECT_EQ(aliasName(stem, 10), "DEALA~10.DOC");
  EXPECT_EQ(aliasName(stem, 100), "DEAL~100.DOC");
  EXPECT_EQ(aliasName(aliasStem("ab cd"), 10), "ABCD~10");
}

TEST(ShortName, AliasesOfOneFolderAreNumberedInNameOrder) {
  struct Case {
    std::vector<std::string> names;
    std::vector<std::string> shortNames;
  } cases[] = {
      // The numbering follows name order, not the order given.
      {{"Deal Archives", "Deal Archive", "DF.EXE"}, {"DEALAR~2", "DEALAR~1", "DF.EXE"}},
      // An 8.3 name keeps its own name; the long one takes the next number.
      {{"Deal Archive", "dealar~1"}, {"DEALAR~2", "DEALAR~1"}},
      {{"Deal Archive", "DEALAR~1", "DEALAR~2", "Deal Archives"},
       {"DEALAR~3", "DEALAR~1", "DEALAR~2", "DEALAR~4"}},
      // Another extension is another short name: each gets ~1.
      {{"Deal Archive", "Deal Archive.txt"}, {"DEALAR~1", "DEALAR~1.TXT"}},
      // Upper and lower case sort together.
      {{"deal archive b", "Deal Archive a"}, {"DEALAR~2", "DEALAR~1"}},
  };
  for (const Case& c : cases) EXPECT_EQ(shortNames(c.names), c.shortNames) << c.names.front();
}

TEST(ShortName, AliasesAreNumberedInTheOrderTheNamesWereMade) {
  const std::vector<std::string> names = {"Deal Archive", "Deal Ar 2019", "DF.EXE", "Deal Archives"};
  // Made in the order given: the later "Deal Ar 2019" does not take ~1.
  EXPECT_EQ(shortNames(names, {10, 20, 5, 30}),
            (std::vector<std::string>{"DEALAR~1", "DEALAR~2", "DF.EXE", "DEALAR~3"}));
  // Made the other way round.
  EXPECT_EQ(shortNames(names, {30, 20, 40, 10}),
            (std::vector<std::string>{"DEALAR~3", "DEALAR~2", "DF.EXE", "DEALAR~1"}));
  // Made at one moment, or not known: name order.
  EXPECT_EQ(shortNames(names, {7, 7, 7, 7}), shortNames(names));
  EXPECT_EQ(shortNames(names), (std::vector<std::string>{"DEALAR~2", "DEALAR~1", "DF.EXE", "DEALAR~3"}));
  // An 8.3 name keeps its own, whenever it was made.
  EXPECT_EQ(shortNames({"Deal Archive", "DEALAR~1"}, {1, 2}),
            (std::vector<std::string>{"DEALAR~2", "DEALAR~1"}));
}

TEST(ShortName, TenAndMoreOfAKind) {
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i) names.push_back("Deal Archive " + std::string(1, static_cast<char>('a' + i)));
  const std::vector<std::string> result = shortNames(names);
  EXPECT_EQ(result[0], "DEALAR~1");
  EXPECT_EQ(result[8], "DEALAR~9");
  EXPECT_EQ(result[9], "DEALA~10");
  EXPECT_EQ(result[11], "DEALA~12");
}

}  // namespace
}  // namespace kveld
