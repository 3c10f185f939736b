#include "encoding/command_line.h"

#include <gtest/gtest.h>

namespace kveld {
namespace {

TEST(CommandLine, InterpreterSyntaxIsToldFromPlainNames) {
  const struct {
    std::string name;
    bool refused;
  } cases[] = {
      {"DF.EXE", false},
      {"DEEP FINESSE.EXE", false},
      {"D(1)~2!$#@'=;,+.EXE", false},  // characters a file name may hold
      {"\x82"
       "DF.EXE",
       false},  // code-page-437 letters
      {"DF.EXE & DEL *.*", true},
      {"DF.EXE|MORE", true},
      {"DF.EXE<IN", true},
      {"DF.EXE>OUT", true},
      {"DF^.EXE", true},
      {"%COMSPEC%", true},
      {"\"DF.EXE\"", true},
      {"DF.EXE\nDEL X", true},
      {std::string("DF\0X", 4), true},
  };
  for (const auto& c : cases) EXPECT_EQ(holdsInterpreterSyntax(c.name), c.refused) << c.name;
}

}  // namespace
}  // namespace kveld
