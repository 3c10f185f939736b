// The formats that show a set's double-dummy analysis, with results made up
// here so that the writing is tested without the solver.
#include <gtest/gtest.h>

#include <regex>

#include "formats/analysis_text.h"
#include "formats/formats.h"
#include "rules/control_string.h"
#include "rules/dealer.h"

namespace kveld::formats {
namespace {

using analysis::Declarers;
using analysis::Denomination;

// Board n: declarer seat s in denomination d takes (n + 2s + d) % 14
// tricks; par n * 10 for North-South, or a sacrifice on odd boards.
std::vector<analysis::BoardAnalysis> madeUp(int boards) {
  std::vector<analysis::BoardAnalysis> a;
  for (int n = 1; n <= boards; ++n) {
    analysis::BoardAnalysis b;
    b.number = n;
    for (std::size_t s = 0; s < 4; ++s) {
      for (std::size_t d = 0; d < 5; ++d)
        b.tricks[s][d] = static_cast<int>((static_cast<std::size_t>(n) + 2 * s + d) % 14);
    }
    b.par.score = n % 2 == 0 ? n * 10 : -n * 10;
    b.par.contracts = {n % 2 == 0
                           ? analysis::ParContract{2, Denomination::Hearts, Declarers::NorthSouth, 1, 0}
                           : analysis::ParContract{5, Denomination::Clubs, Declarers::NorthSouth, 0, 2}};
    a.push_back(b);
  }
  return a;
}

struct AnalysisFormatsTest : ::testing::Test {
  std::string write(const std::string& format, const std::string& control, bool analysed = true) {
    params = decodeControlDigits(*checkControlString(control));
    boards = dealSet(params);
    results = madeUp(params.boardCount);
    const Format& f = *findFormat(format);
    const FormatContext context{"\n", "kveld-batch 1.2.3"};
    DealSet set = setOfControlString(control, params, boards);
    if (analysed) set.analysis = results;
    return fileOf(f, set, context).bytes;
  }
  std::size_t count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
  }
  SetParameters params;
  std::vector<Board> boards;
  std::vector<analysis::BoardAnalysis> results;
};

TEST_F(AnalysisFormatsTest, PbnGamesCarryTheAnalysisTagsAfterTheMandatoryOnes) {
  const std::string pbn = write("pbn", "1000100006");
  // Board 2: North takes (2 + d) % 14 at S H D C NT, East (4 + d), South
  // (6 + d), West (8 + d).
  const std::size_t at = pbn.find("[Board \"2\"]");
  ASSERT_NE(at, std::string::npos);
  const std::size_t result = pbn.find("[Result \"?\"]\r\n", at);
  const std::string tail = pbn.substr(result, pbn.find("\r\n\r\n", result) - result);
  std::string expected =
      "[Result \"?\"]\r\n"
      "[DoubleDummyTricks \"62345a678984567c89ab\"]\r\n"
      "[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]\r\n";
  for (const char* line : {"N NT  6", "N  S  2", "N  H  3", "N  D  4", "N  C  5", "S NT 10", "S  S  6",
                           "S  H  7", "S  D  8", "S  C  9", "E NT  8", "E  S  4", "E  H  5", "E  D  6",
                           "E  C  7", "W NT 12", "W  S  8", "W  H  9", "W  D 10", "W  C 11"})
    expected += std::string(line) + "\r\n";
  expected += "[OptimumScore \"NS 20\"]\r\n[ParContract \"NS 2H+1\"]";
  EXPECT_EQ(tail, expected);
  EXPECT_EQ(count(pbn, "[DoubleDummyTricks "), 24u);
  EXPECT_NE(pbn.find("[OptimumScore \"NS -230\"]\r\n[ParContract \"NS 5CX-2\"]"), std::string::npos);
  // Without --analyse the games end at their mandatory tags.
  EXPECT_EQ(count(write("pbn", "1000100006", false), "Optimum"), 0u);
}

TEST_F(AnalysisFormatsTest, TextPutsTheTableAndParUnderEachDiagram) {
  const std::string text = write("text", "123456789X");
  const std::size_t at = text.find("Board 36 ");
  ASSERT_NE(at, std::string::npos);
  // Board 36: North (36 + d) % 14 = 8, 9, 10, 11 at S H D C and 12 at NT.
  const std::string expected =
      "\n    NT  S  H  D  C\n"
      "N  12  8  9 10 11\n"
      "S   2 12 13  0  1\n"
      "E   0 10 11 12 13\n"
      "W   4  0  1  2  3\n"
      "Par: NS 360, NS 2H+1\n";
  EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
  EXPECT_EQ(count(text, "Par: NS "), 36u);
  EXPECT_EQ(count(write("text", "123456789X", false), "Par:"), 0u);
}

TEST_F(AnalysisFormatsTest, HtmlIsOneSelfContainedPageWithEveryBoard) {
  const std::string html = write("html", "123456789X");
  EXPECT_EQ(html.substr(0, 15), "<!DOCTYPE html>");
  EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  // Nothing fetched from anywhere, nothing run.
  EXPECT_FALSE(
      std::regex_search(html, std::regex("<script|<link|<img|https?:|@import|url\\(", std::regex::icase)));
  // Six boards to a printed page, none split.
  EXPECT_EQ(count(html, "<div class=\"page\">"), 6u);
  EXPECT_NE(html.find("break-after: page"), std::string::npos);
  EXPECT_NE(html.find("break-inside: avoid"), std::string::npos);
  EXPECT_EQ(count(html, "<div class=\"board\">"), 36u);
  for (int board = 1; board <= 36; ++board) {
    const std::string label = "<b>Board " + std::to_string(board) + "</b>";
    const std::size_t at = html.find(label);
    ASSERT_NE(at, std::string::npos) << board;
    const std::size_t end = html.find("<div class=\"board\">", at);
    const std::string block = html.substr(at, end == std::string::npos ? std::string::npos : end - at);
    for (Seat seat : kSeats) {
      for (Suit suit : kSuits) {
        const Holding holding = boards[static_cast<std::size_t>(board - 1)].holding(seat, suit);
        EXPECT_NE(block.find("</span> " + holdingText(holding, "&mdash;") + "</div>"), std::string::npos)
            << "board " << board << " seat " << seatLetter(seat) << " suit " << suitLetter(suit);
      }
    }
    EXPECT_NE(block.find("<b>Par " + parScoreText(results[static_cast<std::size_t>(board - 1)].par)),
              std::string::npos);
  }
  // Red suits are marked for colour; the symbols tell them apart in black
  // and white.
  EXPECT_NE(html.find("<span class=\"red\" title=\"hearts\">\u2665</span>"), std::string::npos);
  EXPECT_NE(html.find("<span class=\"black\" title=\"spades\">\u2660</span>"), std::string::npos);
  EXPECT_NE(html.find("<h1>August 23, Morning, 36 boards</h1>"), std::string::npos);
  // Unanalysed, the hand record still shows every board, without tables.
  const std::string plain = write("html", "1000100006", false);
  EXPECT_EQ(count(plain, "<div class=\"board\">"), 24u);
  EXPECT_EQ(count(plain, "<div class=\"page\">"), 4u);
  EXPECT_EQ(count(plain, "<table class=\"tricks\">"), 0u);
}

}  // namespace
}  // namespace kveld::formats
