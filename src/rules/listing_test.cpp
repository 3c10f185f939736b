#include "rules/listing.h"

#include <gtest/gtest.h>

namespace kveld {
namespace {

TEST(ParseListing, InstallationsTakenFromTheListing) {
  const std::string p60 = "C:\\" + std::string(57, 'x');  // 60 characters
  const std::string p61 = p60 + "y";
  struct Case {
    const char* what;
    std::string listing;
    std::vector<std::string> paths;
  } cases[] = {
      {"empty", "", {}},
      {"one, last line without its end", "C:\\DF\\DEALAR~1", {"C:\\DF"}},
      {"newest first as listed", "C:\\DF2\\DEALAR~1\r\nC:\\DF\\DEALAR~1\r\n", {"C:\\DF2", "C:\\DF"}},
      {"the first line of another drive ends the reading",
       "C:\\a\\DEALAR~1\r\nC:\\b\\DEALAR~1\r\nD:\\c\\DEALAR~1\r\nC:\\d\\DEALAR~1\r\n",
       {"C:\\a", "C:\\b"}},
      {"a first line of another drive finds nothing", "File Not Found\r\nC:\\a\\DEALAR~1\r\n", {}},
      {"an empty line ends the reading", "C:\\a\\DEALAR~1\r\n\r\nC:\\b\\DEALAR~1\r\n", {"C:\\a"}},
      {"the drive in another case is another drive", "c:\\a\\DEALAR~1\r\n", {}},
      {"\\Deal and \\deal in any case, the folder as listed",
       "C:\\Games\\DeepFinesse\\Deal Archive\r\nC:\\prog\\df\\dealar~1\r\n",
       {"C:\\Games\\DeepFinesse", "C:\\prog\\df"}},
      {"an installation whose own path holds \\deal is the folder holding the archive",
       "C:\\Dealer Tools\\DF\\DEALAR~1\r\nC:\\deals\\DEALAR~1\r\n",
       {"C:\\Dealer Tools\\DF", "C:\\deals"}},
      {"lines without an entry named DEAL... are passed over",
       "C:\\x\\De al Ar\r\nC:\\Deals\\y\r\nC:\r\nC:\\a\\DEALAR~1\r\n",
       {"C:\\a"}},
      {"an archive folder at the root", "C:\\DEALAR~1\r\n", {"C:"}},
      {"Ctrl-Z ends the text",
       "C:\\a\\DEALAR~1\r\n\x1a"
       "C:\\b\\DEALAR~1\r\n",
       {"C:\\a"}},
      {"a lone LF is part of the line", "C:\\a\nC:\\b\\DEALAR~1\r\n", {"C:\\a\nC:\\b"}},
      {"CR alone ends a line", "C:\\a\\DEALAR~1\rC:\\b\\DEALAR~1", {"C:\\a", "C:\\b"}},
      {"60 and 61 characters", p60 + "\\DEALAR~1\r\n" + p61 + "\\DEALAR~1\r\n", {p60, p61}},
  };
  for (const Case& c : cases) {
    const FoundInstallations found = parseListing(c.listing, "C:");
    ASSERT_EQ(found.count, static_cast<int>(c.paths.size())) << c.what;
    for (std::size_t i = 0; i < c.paths.size(); ++i) EXPECT_EQ(found.path[i + 1], c.paths[i]) << c.what;
  }
}

TEST(ParseListing, AtMostTenAndTheShownForm) {
  std::string listing;
  for (int i = 1; i <= 11; ++i)
    listing += "E:\\" + std::string(static_cast<std::size_t>(55 + i), 'a') + "\\Deal Archive\r\n";
  const FoundInstallations found = parseListing(listing, "E:");
  ASSERT_EQ(found.count, 10);
  for (std::size_t i = 1; i <= 10; ++i) {
    const std::string& path = found.path[i];
    ASSERT_EQ(path.size(), 58 + i);
    if (path.size() <= 60) {
      EXPECT_EQ(found.shown[i], path);
    } else {
      EXPECT_EQ(found.shown[i], path.substr(0, 57) + "...");
    }
  }
}

}  // namespace
}  // namespace kveld
