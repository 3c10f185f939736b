#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

#include "archive_folder.h"
#include "archive_reader.h"
#include "diagram.h"
#include "testing/reference_deals.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

// The six lines of one board as an archive file holds them.
std::string block(int number, const std::string& n, const std::string& e, const std::string& s,
                  const std::string& w, const char* end = "\r\n") {
  auto pad = [](std::string line, std::size_t column) {
    line.resize(column - 1, ' ');
    return line;
  };
  return pad("Deal: " + std::to_string(number), 40) + n + end + pad(pad("Contract: 4H-South", 23) + w, 57) +
         e + end + pad("OnLead: West", 40) + s + end + "Lead: Any" + end + end + end;
}

// A hand of the worked example's Board 1 (North, East, South, West), or of
// another of its reference boards.
std::string hand(std::size_t seat, std::size_t board = 0) {
  return std::string(kveld::reference::kExampleA.at(board).hands.at(seat));
}
// Board 1 of the worked example under another number, with one hand's text
// replaced when `seat` is given.
std::string boardOneAs(int number, std::size_t seat = 4, const std::string& text = "") {
  std::string h[4] = {hand(0), hand(1), hand(2), hand(3)};
  if (seat < 4) h[seat] = text;
  return block(number, h[0], h[1], h[2], h[3]);
}

const std::string kDashes(79, '-');
const std::string kHeading =
    kDashes + "\r\n-- " + std::string(8, ' ') + "January 1, 2001     Morning\r\n" + kDashes + "\r\n\r\n";
// Board 1 written out by hand, column by column, and Board 3 with a void.
// clang-format off
const std::string kBoardOne =
    "Deal: 1" + std::string(32, ' ') + "98 T63 J432 9632 \r\n"
    "Contract: 4H-South    KT KJ84 AQT96 J8 " + std::string(17, ' ') + "A7653 A92 K87 KQ \r\n"
    "OnLead: West" + std::string(27, ' ') + "QJ42 Q75 5 AT754 \r\n"
    "Lead: Any\r\n\r\n\r\n";
// clang-format on
const std::string kBoardThree = block(3, hand(0, 2), hand(1, 2), hand(2, 2), hand(3, 2));

TEST(StandinArchive, ReadsHeadingAndEveryHandAtItsPlace) {
  const Archive a = parseArchive(kHeading + kBoardOne + kBoardThree);
  EXPECT_EQ(a.heading, "January 1, 2001     Morning");
  ASSERT_EQ(a.boards.size(), 2u);
  EXPECT_TRUE(a.problems.empty());
  const Board& b1 = a.boards[0];
  EXPECT_EQ(b1.number, 1);
  EXPECT_EQ(b1.hands[north], (Hand{"98", "T63", "J432", "9632"}));
  EXPECT_EQ(b1.hands[east], (Hand{"A7653", "A92", "K87", "KQ"}));
  EXPECT_EQ(b1.hands[south], (Hand{"QJ42", "Q75", "5", "AT754"}));
  EXPECT_EQ(b1.hands[west], (Hand{"KT", "KJ84", "AQT96", "J8"}));
  EXPECT_EQ(a.boards[1].number, 3);
  EXPECT_EQ(a.boards[1].hands[west], (Hand{"974", "AQ8643", "--", "K986"}));
  EXPECT_EQ(a.boards[1].hands[east], (Hand{"Q63", "97", "A763", "A732"}));
}

TEST(StandinArchive, LineFeedsAloneAndAMissingLastLineEndAreRead) {
  std::string text = kHeading + kBoardOne;
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  while (lf.back() == '\n') lf.pop_back();
  const Archive a = parseArchive(lf);
  ASSERT_EQ(a.boards.size(), 1u);
  EXPECT_EQ(a.boards[0].hands[south][3], "AT754");
  EXPECT_EQ(a.heading, "January 1, 2001     Morning");
}

TEST(StandinArchive, UnreadableBoardsAreReportedAndTheOthersKept) {
  struct Case {
    const char* what;
    std::string board;
  } cases[] = {
      // Board 1's West is "KT KJ84 AQT96 J8 ", its North "98 T63 J432 9632 ".
      {"a letter that is no rank", boardOneAs(2, 3, "KT KJ84 AQT96 J1 ")},
      {"ranks out of order", boardOneAs(2, 0, "89 T63 J432 9632 ")},
      {"three holdings", boardOneAs(2, 0, "98 T63 J432 ")},
      {"East not at its column", block(2, hand(0), "", hand(2), hand(3) + " " + hand(1))},
      {"a card twice", boardOneAs(2, 3, "KT KJ84 AQT96 J9 ")},
      {"a card missing", boardOneAs(2, 0, "98 T63 J432 963 ")},
  };
  for (const Case& c : cases) {
    const Archive a = parseArchive(kHeading + kBoardOne + c.board + kBoardThree);
    ASSERT_EQ(a.boards.size(), 2u) << c.what;
    EXPECT_EQ(a.boards[0].number, 1) << c.what;
    EXPECT_EQ(a.boards[1].number, 3) << c.what;
    ASSERT_EQ(a.problems.size(), 1u) << c.what;
    EXPECT_TRUE(a.problems[0].starts_with("Deal: 2:")) << c.what << ": " << a.problems[0];
  }
}

TEST(StandinArchive, HandTexts) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {
      {"98 T63 J432 9632 ", true},   {"AKQJT98765432 -- -- -- ", true},
      {"  KT  KJ84 AQT96 J8", true}, {"KT KJ84 AQT96 J8 Q", false},
      {"KT KJ84 AQT96", false},      {"KK KJ84 AQT96 J8", false},
      {"K10 KJ84 AQT96 J8", false},  {"kt KJ84 AQT96 J8", false},
      {"- KJ84 AQT96 J8", false},    {"", false},
  };
  for (const Case& c : cases) {
    Hand h;
    EXPECT_EQ(parseHand(c.text, h), c.valid) << '"' << c.text << '"';
  }
}

TEST(StandinArchive, NoBoardsAndNoHeadingInOtherText) {
  const Archive a = parseArchive("just some notes\r\nDealer: North\r\n");
  EXPECT_TRUE(a.boards.empty());
  EXPECT_EQ(a.heading, "");
}

TEST(StandinScreen, TwoBoardsSideBySideWithEachHandInItsPlace) {
  const Archive a = parseArchive(kHeading + kBoardOne + kBoardThree);
  const auto lines = renderPage(a, "Jan-01-M.txt", 0);
  ASSERT_EQ(lines.size(), 22u);
  for (const auto& l : lines) EXPECT_LE(l.size(), 80u) << l;
  EXPECT_NE(lines[0].find("Jan-01-M.txt"), std::string::npos);
  EXPECT_EQ(lines[1], "January 1, 2001     Morning");
  EXPECT_EQ(lines[3].substr(0, 7), "Board 1");
  EXPECT_EQ(lines[3].substr(40, 7), "Board 3");
  EXPECT_EQ(lines[4].substr(12), std::string("S 98") + std::string(36, ' ') + "S KJ8");
  EXPECT_EQ(lines[8], "S KT" + std::string(20, ' ') + "S A7653" + std::string(9, ' ') + "S 974" +
                          std::string(19, ' ') + "S Q63");
  EXPECT_EQ(lines[10].substr(0, 24), "D AQT96" + std::string(17, ' '));
  EXPECT_EQ(lines[10].substr(40, 4), "D --");
  EXPECT_EQ(lines[15].substr(12, 7), "C AT754");
  EXPECT_EQ(lines.back(), "Enter: end");
}

TEST(StandinScreen, PagesOfTwoBoardsAndTheProblemsOnTheLast) {
  std::string text = kHeading;
  for (int b = 1; b <= 5; ++b) text += boardOneAs(b);
  text += block(6, "", "", "", "");
  const Archive a = parseArchive(text);
  ASSERT_EQ(pageCount(a), 3u);
  EXPECT_EQ(renderPage(a, "x.txt", 0).back(), "Space: next boards   Enter: end");
  EXPECT_EQ(renderPage(a, "x.txt", 1).back(), "Space: next boards   B: back   Enter: end");
  const auto last = renderPage(a, "x.txt", 2);
  EXPECT_EQ(last.back(), "B: back   Enter: end");
  EXPECT_EQ(last[3], "Board 5");
  EXPECT_NE(std::find(last.begin(), last.end(), "Deal: 6: the hands cannot be read"), last.end());
  EXPECT_EQ(renderPage(a, "x.txt", 9), last);  // past the end: the last page
  EXPECT_EQ(pageCount(parseArchive("")), 1u);
  EXPECT_NE(renderPage(parseArchive(""), "x.txt", 0)[3].find("No boards"), std::string::npos);
}

class StandinFolder : public ::testing::Test {
 protected:
  StandinFolder() {
    std::random_device rd;
    dir_ = fs::temp_directory_path() / ("standin-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(dir_);
  }
  ~StandinFolder() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void file(const fs::path& p, int ageSeconds) {
    std::ofstream(dir_ / p) << "x";
    fs::last_write_time(dir_ / p, fs::file_time_type::clock::now() - std::chrono::seconds(ageSeconds));
  }
  fs::path dir_;
};

TEST_F(StandinFolder, ArchiveFolderByEitherNameInAnyCase) {
  EXPECT_FALSE(findArchiveFolder(dir_));
  EXPECT_FALSE(findArchiveFolder(dir_ / "missing"));
  file("Deal Archive", 0);  // a file of that name is no folder
  fs::create_directory(dir_ / "Deal Archives");
  EXPECT_FALSE(findArchiveFolder(dir_));
  fs::create_directory(dir_ / "dealar~1");
  EXPECT_EQ(findArchiveFolder(dir_), dir_ / "dealar~1");
  fs::remove(dir_ / "Deal Archive");
  fs::remove(dir_ / "dealar~1");
  fs::create_directory(dir_ / "DEAL ARCHIVE");
  EXPECT_EQ(findArchiveFolder(dir_), dir_ / "DEAL ARCHIVE");
}

TEST_F(StandinFolder, NewestTextFile) {
  EXPECT_FALSE(newestArchiveFile(dir_));
  file("old.txt", 300);
  file("notes.doc", 0);
  fs::create_directory(dir_ / "folder.txt");
  EXPECT_EQ(newestArchiveFile(dir_), dir_ / "old.txt");
  file("Jan-01-M.TXT", 100);
  file("Sep-09-A.txt", 200);
  EXPECT_EQ(newestArchiveFile(dir_), dir_ / "Jan-01-M.TXT");
}

TEST(StandinLog, OneLineWithFolderAndArguments) {
  EXPECT_EQ(startLine("/x/Deep Finesse", {}), "started\tfolder=/x/Deep Finesse\targuments=0\n");
  EXPECT_EQ(startLine("C:\\DF", {"a b", "-c"}), "started\tfolder=C:\\DF\targuments=2\ta b\t-c\n");
}

TEST_F(StandinFolder, LogLinesAreAppended) {
  ASSERT_TRUE(appendLine(dir_ / "log.txt", "one\n"));
  ASSERT_TRUE(appendLine(dir_ / "log.txt", "two\n"));
  std::ifstream in(dir_ / "log.txt", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, "one\ntwo\n");
  EXPECT_FALSE(appendLine(dir_ / "no such folder" / "log.txt", "x\n"));
}

}  // namespace
}  // namespace standin
