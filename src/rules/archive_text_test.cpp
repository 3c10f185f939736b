#include "rules/archive_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "testing/reference_deals.h"

namespace kveld {
namespace {

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Hand lines of the set of control string 1000100006 (North, East, South,
// West), as the hand record shows them.
using reference::kExampleA;
const reference::HandLines& board1 = kExampleA[0].hands;
const reference::HandLines& board2 = kExampleA[1].hands;
const reference::HandLines& board3 = kExampleA[2].hands;
const reference::HandLines& board24 = kExampleA[3].hands;

struct ArchiveTextTest : ::testing::Test {
  ArchiveTextTest() {
    set.yearNumber = 1;
    set.monthNumber = 1;
    set.dayOfMonth = 1;
    set.sessionNumber = 1;
    set.boardCount = 24;
    // Boards not listed above repeat the hands of Boards 1 to 3.
    for (int b = 1; b <= kMaxBoards; ++b) setBoard(b, kExampleA[static_cast<std::size_t>((b - 1) % 3)]);
    setBoard(24, kExampleA[3]);
  }
  void setBoard(int b, const reference::ReferenceBoard& hands) {
    Board& board = deals.boards[static_cast<std::size_t>(b)];
    board = reference::boardOf(hands);
    board.number = b;
  }
  SetParameters set;
  DealStore deals;
};

std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(at) + "<no line end>");
      break;
    }
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST_F(ArchiveTextTest, SetOfOneMillionAndSixMatchesTheHandDerivedFile) {
  // Written out from the file format: West at column 23 after 4 blanks,
  // East at column 57, North and South at column 40.
  std::vector<std::string> expected = {
      std::string(79, '-'),
      "--         January 1,      Morning",
      std::string(79, '-'),
      "",
  };
  auto block = [&](int b, const reference::HandLines& h, int blanksBeforeEast) {
    const std::string deal = "Deal: " + std::to_string(b);
    expected.push_back(deal + blanks(b < 10 ? 32 : 31) + std::string(h[0]));
    expected.push_back("Contract: 4H-South" + blanks(4) + std::string(h[3]) + blanks(blanksBeforeEast) +
                       std::string(h[1]));
    expected.push_back("OnLead: West" + blanks(27) + std::string(h[2]));
    expected.push_back("Lead: Any");
    expected.push_back("");
    expected.push_back("");
  };
  for (int b = 1; b <= 23; ++b) {
    if (b % 3 == 1) block(b, board1, 17);
    if (b % 3 == 2) block(b, board2, 17);
    if (b % 3 == 0) block(b, board3, 15);
  }
  block(24, board24, 17);
  std::string expectedBytes;
  for (const std::string& line : expected) expectedBytes += line + "\r\n";

  const std::string bytes = archiveText(archiveHeader(set), deals.set(set.boardCount));
  EXPECT_EQ(linesOf(bytes), expected);
  EXPECT_EQ(bytes, expectedBytes);
  EXPECT_EQ(linesOf(bytes).size(), 148u);
}

TEST_F(ArchiveTextTest, BoardOneAndBoardThreeLinesExactly) {
  const std::vector<std::string> lines = linesOf(archiveText(archiveHeader(set), deals.set(set.boardCount)));
  const std::vector<std::string> first(lines.begin() + 4, lines.begin() + 10);
  EXPECT_EQ(first, (std::vector<std::string>{
                       "Deal: 1" + blanks(32) + std::string(board1[0]),
                       "Contract: 4H-South" + blanks(4) + std::string(board1[3]) + blanks(17) +
                           std::string(board1[1]),
                       "OnLead: West" + blanks(27) + std::string(board1[2]),
                       "Lead: Any",
                       "",
                       "",
                   }));
  // Board 3's West hand has a void and is two characters longer.
  EXPECT_EQ(lines[17],
            "Contract: 4H-South" + blanks(4) + std::string(board3[3]) + blanks(15) + std::string(board3[1]));
  EXPECT_EQ(lines[17].find("Q63"), 56u);  // East at column 57
}

TEST_F(ArchiveTextTest, ThirtySixBoardsEndWithTwoEmptyLines) {
  set.boardCount = 36;
  set.sessionNumber = 3;
  const std::string bytes = archiveText(archiveHeader(set), deals.set(set.boardCount));
  const std::vector<std::string> lines = linesOf(bytes);
  ASSERT_EQ(lines.size(), 220u);
  EXPECT_EQ(lines[1], "--         January 1,      Evening");
  EXPECT_EQ(lines[214], "Deal: 36                               " + std::string(board3[0]));
  EXPECT_EQ(bytes.substr(bytes.size() - 15), "Lead: Any\r\n\r\n\r\n");
  for (std::size_t i = 4; i < lines.size(); ++i) {
    const std::size_t inBlock = (i - 4) % 6;
    if (inBlock < 3) {
      EXPECT_EQ(lines[i].back(), ' ') << "line " << i + 1;
    }
  }
  EXPECT_EQ(bytes.find_first_of(std::string("\t\x1a\0", 3)), std::string::npos);
}

TEST_F(ArchiveTextTest, HeadingForEveryMonthDayAndSession) {
  const struct {
    int month, day, session;
    const char* heading;
  } cases[] = {
      {1, 0, 1, "--         January 0,      Morning"},
      {6, 5, 2, "--         June 5,      Afternoon"},
      {9, 31, 4, "--         September 31,      Late"},
      {12, 9, 0, "--         December 9,      Session"},
  };
  for (const auto& c : cases) {
    set.monthNumber = static_cast<std::int16_t>(c.month);
    set.dayOfMonth = static_cast<std::int16_t>(c.day);
    set.sessionNumber = static_cast<std::int16_t>(c.session);
    EXPECT_EQ(archiveHeader(set), c.heading);
  }
}

TEST_F(ArchiveTextTest, NamesFromMonthDayAndSession) {
  const struct {
    int month, day, session;
    const char* base;
  } cases[] = {
      {1, 1, 1, "Jan-01-M"},   {9, 9, 2, "Sep-09-A"}, {5, 31, 3, "May-31-E"},
      {12, 10, 4, "Dec-10-L"}, {1, 0, 1, "Jan-00-M"}, {2, 28, 0, "Feb-28-S"},
  };
  for (const auto& c : cases) {
    set.monthNumber = static_cast<std::int16_t>(c.month);
    set.dayOfMonth = static_cast<std::int16_t>(c.day);
    set.sessionNumber = static_cast<std::int16_t>(c.session);
    const ArchiveName n = archiveName(set, "C:\\DF");
    EXPECT_EQ(n.baseName, c.base);
    EXPECT_EQ(n.fileName, std::string(c.base) + ".txt");
    EXPECT_EQ(n.path, "C:\\DF\\DEALAR~1\\" + std::string(c.base) + ".txt");
  }
  // The folder is used exactly as stored.
  EXPECT_EQ(archiveName(set, "D:\\Deep Finesse ").path, "D:\\Deep Finesse \\DEALAR~1\\Feb-28-S.txt");
}

TEST(ArchiveLines, TabToPadsOrStartsANewLine) {
  const struct {
    std::string before;
    int column;
    std::string bytes;
  } cases[] = {
      {"", 1, ""},
      {"", 5, "    "},
      {"abc", 4, "abc"},
      {"abc", 6, "abc  "},
      {"abcdef", 4, "abcdef\r\n   "},
      {std::string(45, 'x'), 40, std::string(45, 'x') + "\r\n" + std::string(39, ' ')},
  };
  for (const auto& c : cases) {
    ArchiveLines out;
    out.put(c.before);
    out.tabTo(c.column);
    EXPECT_EQ(out.bytes(), c.bytes) << c.before << " to " << c.column;
  }
  ArchiveLines out;  // the count starts again after a line end
  out.put("abcdef");
  out.endLine();
  out.put("ab");
  out.tabTo(4);
  out.put("!");
  EXPECT_EQ(out.bytes(), "abcdef\r\nab !");
}

}  // namespace
}  // namespace kveld
