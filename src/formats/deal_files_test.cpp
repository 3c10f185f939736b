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

// LIN: hands from South; dealer digit 1 South, 2 West, 3 North, 4 East.
std::vector<FileCase> linCases() {
  // The hands of boards 1 to 3 from South, ranks low to high as the
  // hand viewer writes them, a void's letter kept (West's diamonds).
  const std::array<std::string, 3> low = {"S24JQH57QD5C457TA,STKH48JKD69TQAC8J,S89H36TD234JC2369,",
                                          "S5689H9TJD246CTJK,SJQAH378D5KAC479A,S347TH56AD389C23Q,",
                                          "S25TAH2TD248C4TJQ,S479H3468QADC689K,S8JKH5JKD59TJQKC5,"};
  const std::string east1 = "S3567AH29AD78KCQK", east3 = "S36QH79D367AC237A";
  const std::string noComma = low[1].substr(0, low[1].size() - 1);
  auto viewer = [&](int n, char digit, const std::string& hands, const std::string& sv) {
    return "pn|Ann,Bob,Cy,Di|st||md|" + std::string(1, digit) + hands + "|rh||ah|Board " + std::to_string(n) +
           "|sv|" + sv + "|mb|p|mb|1N|mb|p|mb|p|mb|p|pc|S2|pg||\r\n";
  };
  const std::string board1 = "qx|o1|md|3" + low[0] + "|ah|Board 1|sv|o|";
  std::string twice = low[0];
  twice.replace(twice.find("Q"), 1, "T");
  return std::vector<FileCase>{
      {"LIN, the viewer's lines",
       viewer(1, '3', low[0], "o") + viewer(2, '4', low[1], "n") + viewer(3, '1', low[2], "e"),
       {{kBoard1, kBoard2, kBoard3}},
       ""},
      {"LIN, four hands, no comma, a board over two lines, sv 0 and in capitals",
       "qx|o1,BOARD 1|md|3" + low[0] + east1 + "|sv|0|\nqx|c2|md|4" + noComma.substr(0, 20) + "\r\n" +
           noComma.substr(20) + "|SV|N|\nQX|o3|MD|1" + low[2] + east3 + "|sv|E|",
       {{kBoard1, kBoard2, kBoard3}},
       ""},
      {"LIN, two rooms one board",
       "vg|Teams,Round 1,I,1,2,A,0,B,0|rs|,|pn|A,B,C,D,E,F,G,H|pg||\n" + board1 + "pg||\n" + "qx|c1|md|3" +
           low[0] + "|ah|Board 1|sv|o|pg||\nqx|o2|md|4" + low[1] + "|ah|Board 2|sv|n|pg||\n",
       {{kBoard1, kBoard2}},
       ""},
      {"LIN, numbers counted, vulnerability from the number",
       "md|3" + low[0] + "|\nmd|4" + low[1] + "|\nmd|1" + low[2] + "|\n",
       {{kBoard1, kBoard2, kBoard3}},
       ""},
      {"LIN, dealer and vulnerability as stated",
       "qx|o1|md|2" + low[0] + "|ah|Board 1|sv|b|",
       {{"1 W All" + kBoard1.substr(8)}},
       ""},
      {"LIN, another label, a mark, vulnerability from the number",
       "\xEF\xBB\xBFqx|o2|md|4" + low[1] + "|ah|Open room|",
       {{kBoard2}},
       ""},
      {"LIN, one number, other hands",
       board1 + "qx|c1|md|4" + low[1] + "|",
       {},
       "board 1 is given twice with different hands"},
      {"LIN, a card twice", "qx|o1|md|3" + twice + "|", {}, "board 1: the ten of spades is held twice"},
      {"LIN, two hands missing",
       "qx|o1|md|3" + low[0].substr(0, 35) + ",|",
       {},
       "board 1: two or more hands are missing"},
      {"LIN, cut short", board1 + "qx|o2|md|4" + low[1] + "|ah|Board 2|sv|n", {}, "board 2: cut short"},
      {"LIN, dealer digit", "qx|o1|md|5" + low[0] + "|", {}, "board 1: the dealer digit '5' is not 1 to 4"},
      {"LIN, a ten as 10",
       "qx|o1|md|3S24JQH57QD5C45710A,STKH48JKD69TQAC8J,S89H36TD234JC2369,|",
       {},
       "board 1: South's hand has '1', which is no suit letter or rank"},
      {"LIN, a suit twice",
       "qx|o1|md|3S24JQH57QS5C457TA,STKH48JKD69TQAC8J,S89H36TD234JC2369,|",
       {},
       "board 1: South's hand gives its spades twice"},
      {"LIN, five hands",
       "qx|o1|md|3" + low[0] + east1 + ",S2|",
       {},
       "board 1: the deal gives more than four hands"},
      {"LIN, vulnerability",
       "qx|o1|md|3" + low[0] + "|sv|all|",
       {},
       "board 1: the vulnerability \"all\" is not o"},
      {"LIN, two numbers",
       "qx|o1|md|3" + low[0] + "|ah|Board 2|",
       {},
       "md 1: qx gives board 1 and ah board 2"},
      {"LIN, no tag", board1 + "\nBoard 2: AKQ|", {}, "line 2: \"Board 2: AKQ\" is no tag"},
  };
}

const std::vector<FileCase>& fileCases() {
  static const std::vector<FileCase> cases = [] {
    const std::string archive = archiveOf("1000100006");
    std::string twice = archive;
    twice.replace(twice.find("Deal: 2 "), 8, "Deal: 1 ");
    std::string shortHand = archive;
    shortHand.replace(shortHand.find("98 T63"), 6, "98 T6 ");
    std::string noHeading = archive.substr(0, archive.find("Deal: 4 "));
    const std::size_t heading = noHeading.find("\n--") + 1;
    noHeading.replace(heading, noHeading.find('\n', heading) - heading, "--  ");
    std::vector<FileCase> all{
        // Files in no format, or empty.
        {"empty", "", {}, "the file is empty"},
        {"blank lines", "\r\n \n", {}, "the file is empty"},
        {"no format", "Board 1: AKQ of spades\n", {}, "no deal file format"},
        // The deal archive.
        {"archive", archive.substr(0, archive.find("Deal: 4 ")), {{kBoard1, kBoard2, kBoard3}}, ""},
        {"archive, a heading without words", noHeading, {{kBoard1, kBoard2, kBoard3}}, ""},
        {"archive, one number twice", twice, {}, "board 1 is given twice with different hands"},
        {"archive, a card short", shortHand, {}, "board 1: North holds 12 cards instead of 13"},
    };
    for (std::vector<FileCase> more : {linCases()}) all.insert(all.end(), more.begin(), more.end());
    return all;
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

// A LIN file's title is the set's event.
TEST(DealFiles, LinTitleIsTheEvent) {
  const Read read = readDealFile(
      "vg| Club Teams ,Round "
      "1,I,1,1,A,0,B,0|pg||\nqx|o1|md|3S24JQH57QD5C457TA,STKH48JKD69TQAC8J,S89H36TD234JC2369,|");
  ASSERT_EQ(read.refusal, "");
  EXPECT_EQ(read.sets.at(0).event, "Club Teams");
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
