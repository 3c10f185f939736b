#include "rules/settings_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace kveld {
namespace {

struct Case {
  const char* name;
  std::string bytes;
  bool valid;
  std::string directory;
  std::string executable;
};

TEST(SettingsText, ReadingRules) {
  const std::string good = "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n";
  const std::vector<Case> cases = {
      {"as written", good, true, "C:\\DF", "DF.EXE"},
      {"empty file", "", false, "", ""},
      {"one byte", "D", false, "", ""},
      {"two bytes, no key", "D\r", false, "", ""},
      {"lines separated by LF only", "DeepFinesseDirectory=C:\\DF\nExecutableFile=DF.EXE\r\n", false,
       "C:\\DF\nExecutableFile=DF.EXE", ""},
      {"lines in the other order", "ExecutableFile=DF.EXE\r\nDeepFinesseDirectory=C:\\DF\r\n", false, "", ""},
      {"directory key in lower case", "deepfinessedirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n", false, "",
       ""},
      {"executable key in another case", "DeepFinesseDirectory=C:\\DF\r\nexecutablefile=DF.EXE\r\n", false,
       "C:\\DF", ""},
      {"text before the key, blanks after the folder",
       "; where it is: DeepFinesseDirectory=C:\\DF  \r\nExecutableFile=DF.EXE\r\n", true, "C:\\DF  ",
       "DF.EXE"},
      {"first occurrence of the key counts",
       "DeepFinesseDirectory=A DeepFinesseDirectory=B\r\nExecutableFile=X ExecutableFile=Y\r\n", true,
       "A DeepFinesseDirectory=B", "X ExecutableFile=Y"},
      {"third line and trailing bytes ignored", good + "Junk=1\r\n\x1a\xff rubbish", true, "C:\\DF",
       "DF.EXE"},
      {"Ctrl-Z inside line 1",
       "DeepFinesseDirectory=C:\\D\x1a"
       "F\r\nExecutableFile=DF.EXE\r\n",
       false, "C:\\D", ""},
      {"Ctrl-Z inside line 2 ends the value", "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF\x1a.EXE\r\n",
       true, "C:\\DF", "DF"},
      {"Ctrl-Z first", "\x1a" + good, false, "", ""},
      {"only line 1", "DeepFinesseDirectory=C:\\DF\r\n", false, "C:\\DF", ""},
      {"only line 1, no line end", "DeepFinesseDirectory=C:\\DF", false, "C:\\DF", ""},
      {"no line end after line 2", "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE", true, "C:\\DF",
       "DF.EXE"},
      {"CR alone ends lines", "DeepFinesseDirectory=C:\\DF\rExecutableFile=DF.EXE\r", true, "C:\\DF",
       "DF.EXE"},
      {"only the first LF after CR is skipped", "DeepFinesseDirectory=C:\\DF\r\n\nExecutableFile=DF.EXE\r\n",
       true, "C:\\DF", "DF.EXE"},
      {"empty line 1", "\r\nDeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n", false, "", ""},
      {"key without folder", "DeepFinesseDirectory=\r\nExecutableFile=DF.EXE\r\n", false, "", ""},
      {"key without program", "DeepFinesseDirectory=C:\\DF\r\nExecutableFile=\r\n", false, "C:\\DF", ""},
      {"empty line 2", "DeepFinesseDirectory=C:\\DF\r\n\r\nExecutableFile=DF.EXE\r\n", false, "C:\\DF", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SettingsText t = parseSettingsText(c.bytes);
    EXPECT_EQ(t.valid, c.valid);
    EXPECT_EQ(t.settings.dfDirectory, c.directory);
    EXPECT_EQ(t.settings.dfExecutable, c.executable);
  }
}

}  // namespace
}  // namespace kveld
