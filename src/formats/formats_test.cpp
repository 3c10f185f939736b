#include "formats/formats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "rules/control_string.h"
#include "rules/dealer.h"

namespace kveld::formats {
namespace {

// A set dealt from its control string.
struct Dealt {
  explicit Dealt(const std::string& control) : controlString(control) {
    params = decodeControlDigits(*checkControlString(control));
    boards = dealSet(params);
  }
  DealSet set() const { return setOfControlString(controlString, params, boards); }
  std::string controlString;
  SetParameters params;
  std::vector<Board> boards;
};

struct FormatsTest : ::testing::Test {
  std::string write(const std::string& format, const std::string& control,
                    const std::string& lineEnd = "\n") {
    const Format& f = *findFormat(format);
    const Dealt dealt(control);
    const FormatContext context{lineEnd, "kveld-batch 1.2.3"};
    return fileOf(f, dealt.set(), context).bytes;
  }
};

std::vector<std::string> split(const std::string& bytes, const std::string& lineEnd) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = bytes.find(lineEnd, at)) != std::string::npos; at = end + lineEnd.size())
    lines.push_back(bytes.substr(at, end - at));
  if (at < bytes.size()) lines.push_back(bytes.substr(at) + "<no line end>");
  return lines;
}

// The tags of each game: name and value, in the order written.
using Game = std::vector<std::pair<std::string, std::string>>;
std::vector<Game> gamesOf(const std::string& pbn) {
  std::vector<Game> games;
  bool inGame = false;
  for (const std::string& line : split(pbn, "\r\n")) {
    if (line.empty() || line[0] == '%') {
      inGame = false;
      continue;
    }
    if (!inGame) games.emplace_back();
    inGame = true;
    const std::size_t quote = line.find(" \"");
    games.back().emplace_back(line.substr(1, quote - 1), line.substr(quote + 2, line.size() - quote - 4));
  }
  return games;
}

const char* const kExamples[] = {"1000100006", "0102230455", "123456789X", "0000000000", "506020300X"};

TEST_F(FormatsTest, PbnOfExampleAHeaderAndBoardOne) {
  const std::string pbn = write("pbn", "1000100006");
  const std::string expected =
      "% PBN 2.1\r\n"
      "% EXPORT\r\n"
      "%Content-type: text/x-pbn; charset=ISO-8859-1\r\n"
      "%Creator: kveld-batch 1.2.3\r\n"
      "\r\n"
      "[Event \"January 1, Morning\"]\r\n"
      "[Site \"?\"]\r\n"
      "[Date \"????.01.01\"]\r\n"
      "[Board \"1\"]\r\n"
      "[West \"?\"]\r\n"
      "[North \"?\"]\r\n"
      "[East \"?\"]\r\n"
      "[South \"?\"]\r\n"
      "[Dealer \"N\"]\r\n"
      "[Vulnerable \"None\"]\r\n"
      "[Deal \"N:98.T63.J432.9632 A7653.A92.K87.KQ QJ42.Q75.5.AT754 KT.KJ84.AQT96.J8\"]\r\n"
      "[Scoring \"?\"]\r\n"
      "[Declarer \"?\"]\r\n"
      "[Contract \"?\"]\r\n"
      "[Result \"?\"]\r\n"
      "\r\n"
      "[Event \"January 1, Morning\"]\r\n";
  EXPECT_EQ(pbn.substr(0, expected.size()), expected);
  const auto games = gamesOf(pbn);
  ASSERT_EQ(games.size(), 24u);
  // West's void in diamonds on Board 3; the last board of the set.
  EXPECT_EQ(games[2][10].second, "N:KJ8.KJ5.KQJT95.5 Q63.97.A763.A732 AT52.T2.842.QJT4 974.AQ8643..K986");
  EXPECT_EQ(games[23][10].second, "N:QT9.76.KJT74.A98 A8532.AQT52.98.K J7.KJ984.A.QT763 K64.3.Q6532.J542");
  EXPECT_EQ(pbn.substr(pbn.size() - 16), "\r\n[Result \"?\"]\r\n");
}

TEST_F(FormatsTest, PbnOfExampleBAndTheDatesOfTheExamples) {
  const auto games = gamesOf(write("pbn", "0102230455"));
  EXPECT_EQ(games[0][0].second, "September 9, Afternoon");
  EXPECT_EQ(games[0][2].second, "????.09.09");
  EXPECT_EQ(games[0][10].second, "N:AK763.KJ5.QT.T97 Q8.AT7.J9753.865 JT54.Q9832.A.QJ2 92.64.K8642.AK43");
  EXPECT_EQ(gamesOf(write("pbn", "123456789X"))[0][2].second, "????.08.23");
  // Day 0 of January is no calendar day: an unknown day, not "00".
  EXPECT_EQ(gamesOf(write("pbn", "0000000000"))[0][2].second, "????.01.??");
  EXPECT_EQ(gamesOf(write("pbn", "0000000000"))[0][0].second, "January 0, Session");
}

TEST_F(FormatsTest, PbnGamesHoldTheMandatoryTagsInOrderWithDealerAndVulnerabilityByBoard) {
  const std::vector<std::string> names = {"Event", "Site",    "Date",     "Board",    "West",
                                          "North", "East",    "South",    "Dealer",   "Vulnerable",
                                          "Deal",  "Scoring", "Declarer", "Contract", "Result"};
  const char* const vulnerable[16] = {"None", "NS",  "EW",   "All", "NS",  "EW",   "All", "None",
                                      "EW",   "All", "None", "NS",  "All", "None", "NS",  "EW"};
  const auto games = gamesOf(write("pbn", "123456789X"));
  ASSERT_EQ(games.size(), 36u);
  for (int b = 1; b <= 36; ++b) {
    const Game& g = games[static_cast<std::size_t>(b - 1)];
    ASSERT_EQ(g.size(), names.size()) << "board " << b;
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(g[i].first, names[i]) << "board " << b;
    EXPECT_EQ(g[3].second, std::to_string(b));
    EXPECT_EQ(g[8].second, std::string(1, "NESW"[(b - 1) % 4])) << "board " << b;
    EXPECT_EQ(g[9].second, vulnerable[(b - 1) % 16]) << "board " << b;
  }
}

TEST_F(FormatsTest, PbnIsAsciiWithCrLfAndEveryDealHoldsEveryCardOnce) {
  for (const char* control : kExamples) {
    SCOPED_TRACE(control);
    const std::string pbn = write("pbn", control);
    for (std::size_t i = 0; i < pbn.size(); ++i) {
      const auto c = static_cast<unsigned char>(pbn[i]);
      ASSERT_TRUE((c >= 32 && c < 127) || c == '\r' || c == '\n') << "byte " << i;
      if (c == '\r') {
        ASSERT_EQ(pbn.at(i + 1), '\n') << "byte " << i;
      }
      if (c == '\n') {
        ASSERT_EQ(pbn.at(i - 1), '\r') << "byte " << i;
      }
    }
    for (const std::string& line : split(pbn, "\r\n")) EXPECT_LE(line.size(), 255u);

    // Each Deal tag holds four hands of four suits and every card once.
    const auto games = gamesOf(pbn);
    ASSERT_EQ(static_cast<int>(games.size()), Dealt(control).params.boardCount);
    for (std::size_t b = 0; b < games.size(); ++b) {
      const std::string deal = games[b][10].second;
      EXPECT_EQ(std::count(deal.begin(), deal.end(), ' '), 3) << deal;
      EXPECT_EQ(std::count(deal.begin(), deal.end(), '.'), 12) << deal;
      std::multiset<std::string> cards;
      int suit = 0;
      for (char c : deal.substr(2)) {
        if (c == '.')
          ++suit;
        else if (c == ' ')
          suit = 0;
        else
          cards.insert(std::string(1, "SHDC"[suit]) + c);
      }
      EXPECT_EQ(cards.size(), 52u);
      EXPECT_EQ(std::set<std::string>(cards.begin(), cards.end()).size(), 52u);
    }
  }
}

TEST_F(FormatsTest, TextDiagramsOfExampleAInThePlatformsLineEnd) {
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    const auto lines = split(write("text", "1000100006", lineEnd), lineEnd);
    const std::vector<std::string> expected = {
        "1000100006: January 1, Morning, 24 boards",
        "",
        "Board 1             North 1 HCP",
        "Dealer: North       S 98",
        "Vulnerable: None    H T63",
        "                    D J432",
        "                    C 9632",
        "West 14 HCP                             East 16 HCP",
        "S KT                                    S A7653",
        "H KJ84                                  H A92",
        "D AQT96                                 D K87",
        "C J8                                    C KQ",
        "                    South 9 HCP",
        "                    S QJ42",
        "                    H Q75",
        "                    D 5",
        "                    C AT754",
        "",
        "Board 2             North 6 HCP",
        "Dealer: East        S T743",
        "Vulnerable: N-S     H A65",
    };
    ASSERT_GE(lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(lines.size(), 2u + 24u * 16u - 1u);
    // Board 3: West's diamonds are void.
    EXPECT_EQ(lines[2 + 2 * 16 + 5], "West 9 HCP                              East 10 HCP");
    EXPECT_EQ(lines[2 + 2 * 16 + 8], "D --                                    D A763");
    EXPECT_EQ(lines.back(), "                    C QT763");
  }
}

TEST_F(FormatsTest, TextSetsFollowEachOtherAfterAnEmptyLine) {
  const Format& text = *findFormat("text");
  const Dealt a("1000100006"), b("0102230455");
  const FormatContext context{"\n", "kveld-batch 1.2.3"};
  const std::string both = text.set(a.set(), context, 0).bytes + text.set(b.set(), context, 1).bytes;
  EXPECT_NE(both.find("C QT763\n\n0102230455: September 9, Afternoon, 24 boards\n\nBoard 1 "),
            std::string::npos);
  EXPECT_EQ(text.set(b.set(), context, 0).bytes.substr(0, 11), "0102230455:");
}

// Boards 1 and 3 of the hand record: one line each, hands from South with
// the dealer's digit (3 North, 1 South), ranks high to low, East written,
// a void's letter kept; CR LF whatever the platform's line end.
TEST_F(FormatsTest, LinOneLineABoardWithItsFourHands) {
  const std::vector<std::string> lines = split(write("lin", "1000100006", "\n"), "\r\n");
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0],
            "qx|o1|md|3SQJ42HQ75D5CAT754,SKTHKJ84DAQT96CJ8,S98HT63DJ432C9632,SA7653HA92DK87CKQ"
            "|rh||ah|Board 1|sv|o|pg||");
  EXPECT_EQ(lines[2],
            "qx|o3|md|1SAT52HT2D842CQJT4,S974HAQ8643DCK986,SKJ8HKJ5DKQJT95C5,SQ63H97DA763CA732"
            "|rh||ah|Board 3|sv|e|pg||");
}

TEST_F(FormatsTest, FilesAreNamedAsTheArchiveFiles) {
  auto name = [](const char* format, const char* control) {
    return Dealt(control).set().name + std::string(findFormat(format)->extension);
  };
  EXPECT_EQ(name("archive", "1000100006"), "Jan-01-M.txt");
  EXPECT_EQ(name("pbn", "1000100006"), "Jan-01-M.pbn");
  EXPECT_EQ(name("pbn", "0102230455"), "Sep-09-A.pbn");
  EXPECT_EQ(name("text", "0000000000"), "Jan-00-S.txt");
  EXPECT_EQ(name("html", "1000100006"), "Jan-01-M.html");
  EXPECT_EQ(name("lin", "1000100006"), "Jan-01-M.lin");
  EXPECT_EQ(findFormat("PBN"), nullptr);
}

}  // namespace
}  // namespace kveld::formats
