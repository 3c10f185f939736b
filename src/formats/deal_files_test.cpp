// Deal files of every format, read and written: one table of files with the
// boards they hold or the reason they are refused, one of sets that a
// format cannot hold, and the round trip of dealt sets through every format.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "formats/formats.h"
#include "rules/control_string.h"
#include "rules/dealer.h"

namespace kveld::formats {
namespace {

// A board as a test states it: "3 S EW N:KJ8.KJ5.KQJT95.5 Q63.97.A763.A732
// AT52.T2.842.QJT4 974.AQ8643..K986": number, dealer, vulnerability (None,
// NS, EW, All) and the hands clockwise from North.
SetBoard boardOf(const std::string& text) {
  std::istringstream in(text);
  std::string dealer, vulnerable, first;
  SetBoard b;
  in >> b.deal.number >> dealer >> vulnerable;
  b.dealer = kSeats[std::string_view("NESW").find(dealer[0])];
  b.vulnerability = static_cast<Vulnerability>(std::string_view("None NS   EW   All").find(vulnerable) / 5);
  for (Seat seat : kSeats) {
    std::string hand;
    in >> hand;
    if (seat == Seat::North) hand = hand.substr(2);
    std::istringstream suits(hand);
    std::string holding;
    for (Suit suit : kSuits) {
      std::getline(suits, holding, '.');
      b.deal.cards[indexOf(seat)][indexOf(suit)] = holdingOf(holding).value();
    }
  }
  return b;
}

// Boards 1 to 3 of control string 1000100006, as its hand record shows them.
const std::string kBoard1 = "1 N None N:98.T63.J432.9632 A7653.A92.K87.KQ QJ42.Q75.5.AT754 KT.KJ84.AQT96.J8";
const std::string kBoard2 = "2 E NS N:T743.A65.983.Q32 K2.KQ42.QJT7.865 9865.JT9.642.KJT AQJ.873.AK5.A974";
const std::string kBoard3 = "3 S EW N:KJ8.KJ5.KQJT95.5 Q63.97.A763.A732 AT52.T2.842.QJT4 974.AQ8643..K986";

// PBN: a game as an export-format file writes it (CR LF, the mandatory
// tags in their order), from a board as boardOf reads it but with the deal
// as the file gives it.
std::string pbnGame(const std::string& event, int number, const std::string& dealer, const std::string& vulnerable,
                    const std::string& deal) {
  std::string out;
  for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
           {"Event", event}, {"Site", "Bridge Club"}, {"Date", "2024.03.05"}, {"Board", std::to_string(number)},
           {"West", "?"}, {"North", "?"}, {"East", "?"}, {"South", "?"}, {"Dealer", dealer},
           {"Vulnerable", vulnerable}, {"Deal", deal}, {"Scoring", "MP"}, {"Declarer", "?"}, {"Contract", "?"},
           {"Result", "?"}})
    out += "[" + name + " \"" + value + "\"]\r\n";
  return out;
}
// The deal of a board as boardOf reads it: "N:98.T63... ...".
std::string dealOf(const std::string& board) { return board.substr(board.find("N:")); }

const std::string kDeal1 = dealOf(kBoard1), kDeal2 = dealOf(kBoard2), kDeal3 = dealOf(kBoard3);
// Board 2's hands under number 1, dealer North, nobody vulnerable.
const std::string kBoard2As1 = "1 N None " + kDeal2;

struct FileCase {
  const char* what;
  std::string bytes;
  std::vector<std::vector<std::string>> sets;  // each set's boards, as boardOf reads them
  std::string refusal;                         // a part of the refusal, when refused
};

std::string archiveOf(const std::string& control) {
  const SetParameters p = decodeControlDigits(*checkControlString(control));
  return fileOf(*findFormat("archive"), setOfControlString(control, p, dealSet(p)), {"\n", "test"}).bytes;
}

const std::vector<FileCase>& fileCases() {
  static const std::vector<FileCase> cases = [] {
    const std::string archive = archiveOf("1000100006");
    std::string twice = archive;
    twice.replace(twice.find("Deal: 2 "), 8, "Deal: 1 ");
    std::string shortHand = archive;
    shortHand.replace(shortHand.find("98 T63"), 6, "98 T6 ");
    // A dealing program's PBN: a header of escape lines, CR LF, an analysis
    // table whose header holds a control byte where "\\2" stood.
    std::string pbnExport = "\xEF\xBB\xBF% PBN 2.1\r\n% EXPORT\r\n%\r\n\r\n" + pbnGame("Club", 1, "N", "None", kDeal1) +
                            "[OptimumResultTable \"Declarer;Denomination\x02R;Result\x02R\"]\r\nN NT  9\r\n" + "\r\n" +
                            pbnGame("#", 2, "E", "NS", kDeal2) + "\r\n" + pbnGame("#", 3, "S", "EW", kDeal3);
    return std::vector<FileCase>{
        // Files in no format, or empty.
        {"empty", "", {}, "the file is empty"},
        {"blank lines", "\r\n \n", {}, "the file is empty"},
        {"no format", "Board 1: AKQ of spades\n", {}, "no deal file format"},
        // The deal archive.
        {"archive", archive.substr(0, archive.find("Deal: 4 ")), {{kBoard1, kBoard2, kBoard3}}, ""},
        {"archive, one number twice", twice, {}, "board 1 is given twice with different hands"},
        {"archive, a card short", shortHand, {}, "board 1: North holds 12 cards instead of 13"},
        // PBN.
        {"pbn, export format", pbnExport, {{kBoard1, kBoard2, kBoard3}}, ""},
        {"pbn, import style: West first, ranks low to high, lower case, tags spread over lines",
         "% PBN 2.1\n;a comment\n[Event \"Club\"] [Site \"\"]\n[Board\n  \"1\"] [Dealer \"n\"]\n[Vulnerable\n\"none\"]\n"
         "[Deal \"W:tk.48jk.69TQA.8J 89.36T.234J.2369 3567A.29A.78K.QK 24JQ.57Q.5.457TA\"]\n"
         "[Auction \"N\"]\n1NT Pass 3NT Pass\nPass Pass\n[Play \"E\"]\nS2 SA S3 S4\n*\n \t\n"
         "[Board \"2\"][Dealer \"e\"][Vulnerable \"ns\"][Deal \"e:" + dealOf("2 E NS N:K2.KQ42.QJT7.865 "
         "9865.JT9.642.KJT AQJ.873.AK5.A974 T743.A65.983.Q32").substr(2) + "\"]\n",
         {{kBoard1, kBoard2}}, ""},
        {"pbn, values of the vulnerability",
         pbnGame("", 1, "N", "Love", kDeal1) + "\r\n" + pbnGame("", 2, "E", "BOTH", kDeal2) + "\r\n" +
             pbnGame("", 3, "S", "-", kDeal3),
         {{kBoard1, "2 E All " + kDeal2, "3 S None " + kDeal3}}, ""},
        {"pbn, dealer and vulnerability from the number where the game gives none",
         "[Board \"2\"]\n[Deal \"" + kDeal2 + "\"]\n\n[Board \"3\"][Dealer \"?\"][Vulnerable \"\"][Deal \"" + kDeal3 +
             "\"]\n",
         {{kBoard2, kBoard3}}, ""},
        {"pbn, games without a board number numbered in turn", "[Deal \"" + kDeal1 + "\"]\n\n[Deal \"" + kDeal2 + "\"]\n",
         {{kBoard1, kBoard2}}, ""},
        {"pbn, a hand left out is completed",
         "[Board \"1\"][Deal \"N:98.T63.J432.9632 - QJ42.Q75.5.AT754 KT.KJ84.AQT96.J8\"]", {{kBoard1}}, ""},
        {"pbn, two hands left out", "[Board \"1\"][Deal \"N:98.T63.J432.9632 - - KT.KJ84.AQT96.J8\"]", {},
         "game 1 (board 1): two or more hands are missing"},
        {"pbn, a card twice",
         "[Board \"1\"][Deal \"N:98.T63.J432.9632 A7658.A92.K87.KQ QJ42.Q75.5.AT754 KT.KJ84.AQT96.J8\"]", {},
         "game 1 (board 1): the eight of spades is held twice"},
        {"pbn, a card twice in one hand",
         "[Board \"1\"][Deal \"N:98.T63.J432.9632 A7653.A92.K87.KQ QJ42.Q75.5.AT754 KT.KJ84.AQT66.J8\"]", {},
         "game 1 (board 1): the six of diamonds is held twice"},
        {"pbn, a hand that is no hand",
         "[Board \"1\"][Deal \"N:98.T63.J432.9632 A7653.A92.K87 QJ42.Q75.5.AT754 KT.KJ84.AQT96.J8\"]", {},
         "East's hand \"A7653.A92.K87\" cannot be read"},
        {"pbn, an end position", "[Board \"1\"][Deal \"N:98.T.. A7.A.. QJ.Q.. KT.K..\"]", {},
         "game 1 (board 1): every hand holds fewer than 13 cards"},
        {"pbn, games without a deal are passed over",
         "[Event \"Club\"]\n[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]\nN NT  9\nS  S 10\n\n" +
             pbnGame("#", 1, "N", "None", kDeal1),
         {{kBoard1}}, ""},
        {"pbn, a deal unknown or not applicable is no board",
         "[Board \"1\"][Deal \"?\"]\n\n[Board \"1\"][Deal \"\"]\n\n[Board \"2\"][Deal \"" + kDeal2 + "\"]\n", {{kBoard2}}, ""},
        {"pbn, the two rooms of a board are one board",
         pbnGame("Teams", 1, "N", "None", kDeal1) + "\r\n" + pbnGame("Teams", 1, "N", "None", kDeal1) + "\r\n" +
             pbnGame("Teams", 2, "E", "NS", kDeal2) + "\r\n" + pbnGame("Teams", 1, "N", "None", kDeal1),
         {{kBoard1, kBoard2}}, ""},
        {"pbn, one number with other hands",
         pbnGame("", 1, "N", "None", kDeal1) + "\r\n" + pbnGame("", 2, "E", "NS", kDeal2) + "\r\n" +
             pbnGame("", 2, "E", "NS", kDeal3),
         {}, "game 3 (board 2): board 2 is given twice with different hands"},
        {"pbn, two events are two sets",
         pbnGame("Monday", 1, "N", "None", kDeal1) + "\r\n" + pbnGame("Monday", 2, "E", "NS", kDeal2) + "\r\n" +
             pbnGame("Tuesday", 3, "S", "EW", kDeal3),
         {{kBoard1, kBoard2}, {kBoard3}}, ""},
        {"pbn, numbers starting again are a second set",
         pbnGame("", 1, "N", "None", kDeal1) + "\r\n" + pbnGame("", 2, "E", "NS", kDeal2) + "\r\n" +
             pbnGame("", 3, "S", "EW", kDeal3) + "\r\n" + pbnGame("", 1, "N", "None", kDeal2),
         {{kBoard1, kBoard2, kBoard3}, {kBoard2As1}}, ""},
        {"pbn, numbers out of order kept in order",
         pbnGame("", 3, "S", "EW", kDeal3) + "\r\n" + pbnGame("", 1, "N", "None", kDeal1), {{kBoard3, kBoard1}}, ""},
        {"pbn, a brace comment with empty lines inside a game",
         "[Board \"3\"]\n{ played at\n\n% two tables\n  \n}\n[Dealer \"S\"][Vulnerable \"EW\"]\n[Deal \"" + kDeal3 +
             "\"]\n",
         {{kBoard3}}, ""},
        {"pbn, a tag given twice counts once",
         "[Board \"1\"]\n[Board \"2\"]\n[Dealer \"N\"][Dealer \"E\"][Deal \"" + kDeal1 + "\"][Deal \"" + kDeal1 + "\"]\n",
         {{kBoard1}}, ""},
        {"pbn, two deals in one game",
         "[Board \"1\"][Deal \"" + kDeal1 + "\"]\n[Board \"2\"][Deal \"" + kDeal2 + "\"]\n", {},
         "line 2: a second deal in one game"},
        {"pbn, a deal only in a comment", "[Event \"x\"]\n{[Deal \"" + kDeal1 + "\"]}\n", {}, "the file holds no deal"},
        {"pbn, a string not closed", "[Board \"1\"]\n[Event \"Club]\n[Deal \"" + kDeal1 + "\"]\n", {},
         "line 2: a string is not closed"},
        {"pbn, a comment not closed", "[Board \"1\"]\n[Deal \"" + kDeal1 + "\"]\n{ no end\n", {},
         "line 3: a comment is not closed"},
        {"pbn, a tag not closed", "[Board \"1\"]\n[Deal \"" + kDeal1 + "\"\n\n", {},
         "line 2: the tag Deal has no closing bracket"},
        {"pbn, a dealer that is no seat", "[Board \"1\"][Dealer \"#\"][Deal \"" + kDeal1 + "\"]", {},
         "game 1 (board 1): the dealer \"#\" cannot be read"},
    };
  }();
  return cases;
}

TEST(DealFiles, EachFileGivesItsBoardsOrItsReason) {
  for (const FileCase& c : fileCases()) {
    SCOPED_TRACE(c.what);
    const Read read = readDealFile(c.bytes);
    if (!c.refusal.empty()) {
      EXPECT_NE(read.refusal.find(c.refusal), std::string::npos) << read.refusal;
      EXPECT_TRUE(read.sets.empty());
      continue;
    }
    ASSERT_EQ(read.refusal, "");
    ASSERT_EQ(read.sets.size(), c.sets.size());
    for (std::size_t s = 0; s < c.sets.size(); ++s) {
      ASSERT_EQ(read.sets[s].boards.size(), c.sets[s].size()) << "set " << s + 1;
      for (std::size_t b = 0; b < c.sets[s].size(); ++b)
        EXPECT_EQ(read.sets[s].boards[b], boardOf(c.sets[s][b])) << "set " << s + 1 << ", " << c.sets[s][b];
    }
  }
}

// The words a PBN file gives its sets: each set's event, site and date,
// inherited from game to game, in UTF-8 whatever the file's character set.
TEST(DealFiles, PbnSetsKeepTheirWords) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::array<std::string, 3>> words;  // event, site, date of each set
  };
  const std::string deal1 = "[Board \"1\"][Deal \"" + dealOf(kBoard1) + "\"]\n";
  const std::string deal2 = "[Board \"2\"][Deal \"" + dealOf(kBoard2) + "\"]\n";
  const std::vector<Case> cases = {
      {"plain", "[Event \"Club\"][Site \"Oslo\"][Date \"2024.03.05\"]" + deal1, {{"Club", "Oslo", "2024.03.05"}}},
      {"unknown", "[Event \"?\"][Site \"\"][Date \"?\"]" + deal1, {{"", "", ""}}},
      {"escapes", "[Event \"The \\\"Open\\\" \\\\ \\2R\"]" + deal1, {{"The \"Open\" \\ \\2R", "", ""}}},
      {"# takes the nearest game's value",
       "[Event \"Club\"][Site \"Oslo\"]" + deal1 + "\n[Site \"Bergen\"][Event \"#\"]" + deal2,
       {{"Club", "Oslo", ""}}},
      {"## lasts until a plain value",
       "[Event \"##Club\"]\n\n" + deal1 + "\n" + deal2 + "\n[Event \"Cup\"]" +
           "[Board \"3\"][Deal \"" + dealOf(kBoard3) + "\"]\n",
       {{"Club", "", ""}, {"Cup", "", ""}}},
      {"# from a game without a deal", "[Event \"Club\"][Date \"2024.??.??\"]\n\n[Event \"#\"][Date \"#\"]" + deal1,
       {{"Club", "", "2024.??.??"}}},
      {"ISO 8859-1", "[Event \"Caf\xE9 \x92Nord\x92\"][Site \"Troms\xF8\"]" + deal1,
       {{"Caf\u00e9 \u2019Nord\u2019", "Troms\u00f8", ""}}},
      {"UTF-8 after a byte order mark", "\xEF\xBB\xBF[Event \"Caf\xC3\xA9\"]" + deal1, {{"Caf\u00e9", "", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Read read = readDealFile(c.bytes);
    ASSERT_EQ(read.refusal, "");
    ASSERT_EQ(read.sets.size(), c.words.size());
    for (std::size_t s = 0; s < c.words.size(); ++s)
      EXPECT_EQ((std::array<std::string, 3>{read.sets[s].event, read.sets[s].site, read.sets[s].date}), c.words[s]);
  }
}

// Files of other formats that begin with brackets or hold the word Deal
// are not taken for PBN.
TEST(DealFiles, PbnIsRecognisedByItsTags) {
  const Format& pbn = *findFormat("pbn");
  EXPECT_TRUE(pbn.recognises("% PBN 2.1\r\n{ a comment }\r\n[Event \"\"]\r\n[Deal \"" + dealOf(kBoard1) + "\"]"));
  EXPECT_TRUE(pbn.recognises("[ Board\n\"1\"]\n[ Deal\n \"-\"]"));
  EXPECT_FALSE(pbn.recognises("[Document]\r\nDeal \"x\"\r\n[Deal \"N:\"]"));
  EXPECT_FALSE(pbn.recognises("[DOCUMENT]\r\nShowCardNumbers=True\r\n"));
  EXPECT_FALSE(pbn.recognises("pn|a,b,c,d|st||md|3SKQJT,,,|rh||ah|Board 1|sv|o|pg||\n"));
  EXPECT_FALSE(pbn.recognises("[Event \"Club\"]\n[Board \"1\"]\n"));
  EXPECT_FALSE(pbn.recognises("Deal: 1 [Deal \"x\"]"));
}

// Every format that is read and written gives back the boards of a dealt
// set, their dealers and vulnerabilities with them.
TEST(DealFiles, DealtSetsComeBackFromEveryFormat) {
  for (const char* control : {"1000100006", "123456789X"}) {
    const SetParameters p = decodeControlDigits(*checkControlString(control));
    const DealSet set = setOfControlString(control, p, dealSet(p));
    for (const Format& f : formats()) {
      if (!f.read) continue;
      SCOPED_TRACE(std::string(f.name) + " " + control);
      const Written w = fileOf(f, set, {"\r\n", "test"});
      ASSERT_EQ(w.refusal, "");
      EXPECT_TRUE(f.recognises(w.bytes));
      const Read read = readDealFile(w.bytes);
      ASSERT_EQ(read.refusal, "");
      ASSERT_EQ(read.sets.size(), 1u);
      EXPECT_EQ(read.sets[0].boards, set.boards);
    }
  }
}

}  // namespace
}  // namespace kveld::formats
