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

// The dealing machines' files (BRI, DUP, DLM), from the hands of kBoard1 to
// kBoard3: each board's card numbers 01 (ace of spades) to 52 (two of
// clubs) for North, East and South, and its DLM letters with their checksum.
const std::array<std::string, 3> kCardNumbers = {
    "060718222530373839454851520108091012141926283334414203041113162123364044474950",
    "050811121422233233384251520213151624262930313446484906070910171819353739414344",
    "020407151723282930313236490309121921273435384047515201051013182633373942434450"};
const std::array<std::string, 3> kDlmLines = {"hkmbfjjomhilbnmpfoacfodika016", "npcikaefklmbnpfebliliknnha010",
                                              "ieldgnldchhdoeaajejjokphcf029"};

// A BRI record as a dealing program pads it: 32 spaces and 18 NUL bytes.
std::string briRecord(const std::string& digits) { return digits + std::string(32, ' ') + std::string(18, '\0'); }

// A DUP record: the card numbers, the hands as the machine's screen shows
// them (each suit's symbol byte before its ranks), the control bytes.
std::string dupRecord(std::size_t board, const std::string& control) {
  const std::string text = std::array{kBoard1, kBoard2, kBoard3}[board];
  std::istringstream hands(text.substr(text.find(':') + 1));
  std::string screen;
  for (std::string hand; hands >> hand;) {
    std::size_t suit = 0;
    screen += "\x06";
    for (char c : hand) screen += c == '.' ? "\x03\x04\x05"[suit++] : c;
  }
  return kCardNumbers[board] + screen + control;
}

// A DLM file of boards 1 to 3 from its words (the lines of [Document]
// before the boards, separated by '|'), the line end, the board lines and
// the value of Duplicates 01.
std::string dlmFile(const std::string& words, const std::string& end, const std::array<std::string, 3>& lines = kDlmLines,
                    char duplicates01 = '0') {
  std::string file = "[Document]" + end;
  std::istringstream in(words);
  for (std::string line; std::getline(in, line, '|');) file += line + end;
  for (std::size_t i = 0; i < lines.size(); ++i)
    file += "Duplicates 0" + std::to_string(i + 1) + "=" + (i == 0 ? duplicates01 : '0') + end + "Board 0" +
            std::to_string(i + 1) + "=" + lines[i] + end;
  return file + "[Startup]" + end + "Statistics=0" + end;
}

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
    // A dealing program's PBN: a header of escape lines, CR LF, an analysis
    // table whose header holds a control byte where "\\2" stood.
    std::string pbnExport = "\xEF\xBB\xBF% PBN 2.1\r\n% EXPORT\r\n%\r\n\r\n" + pbnGame("Club", 1, "N", "None", kDeal1) +
                            "[OptimumResultTable \"Declarer;Denomination\x02R;Result\x02R\"]\r\nN NT  9\r\n" + "\r\n" +
                            pbnGame("#", 2, "E", "NS", kDeal2) + "\r\n" + pbnGame("#", 3, "S", "EW", kDeal3);
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
        // BRI: boards 1 to n, in 128-byte records or 78 digits a line.
        {"BRI, the maker's example for North", briRecord("18043727240822422106250717" + std::string(
             "0102030509101112131415161920232628293031323334353638")),
         {{"1 N None N:J987.JT7643.A4.Q AKQT65432.AKQ9.. .852.KQJT987653. ..2.AKJT98765432"}}, ""},
        {"BRI, 128-byte records", briRecord(kCardNumbers[0]) + briRecord(kCardNumbers[1]) + briRecord(kCardNumbers[2]),
         {{kBoard1, kBoard2, kBoard3}}, ""},
        {"BRI, a line each", kCardNumbers[0] + "\r\n" + kCardNumbers[1] + "\r\n" + kCardNumbers[2] + "\r\n",
         {{kBoard1, kBoard2, kBoard3}}, ""},
        {"BRI, record 3 cut short", briRecord(kCardNumbers[0]) + briRecord(kCardNumbers[1]) + kCardNumbers[2].substr(0, 40),
         {}, "record 3: cut short (40 of 78 digits)"},
        {"BRI, a card number above 52", briRecord(kCardNumbers[0]) + briRecord("53" + kCardNumbers[1].substr(2)), {},
         "record 2: card number 53 is outside 01 to 52"},
        {"BRI, a card twice", briRecord(kCardNumbers[0]) + briRecord(kCardNumbers[1].substr(0, 26) + "05" +
                                                                      kCardNumbers[1].substr(28)),
         {}, "record 2: the ten of spades is held twice"},
        {"BRI, a letter among the digits", briRecord(kCardNumbers[0]) + briRecord("0x" + kCardNumbers[1].substr(2)), {},
         "record 2: 'x' stands among the card numbers"},
        // DUP: 156-byte records, the boards from the lowest on.
        {"DUP, boards 1 to 3", dupRecord(0, "YN1  1 3  ") + dupRecord(1, "YN1  1 3  ") + dupRecord(2, "YN1  1 3  "),
         {{kBoard1, kBoard2, kBoard3}}, ""},
        {"DUP, control bytes in the first record only, the screen blank",
         kCardNumbers[0] + std::string(68, ' ') + "YN1  0 03 " + dupRecord(1, std::string(10, '\0')) +
             dupRecord(2, std::string(10, '\0')),
         {{kBoard1, kBoard2, kBoard3}}, ""},
        {"DUP, from board 5, the highest given as the count",
         dupRecord(0, "YN5  1 3  ") + dupRecord(1, "YN5  1 3  ") + dupRecord(2, "YN5  1 3  "),
         {{"5 N NS" + kBoard1.substr(8), "6 E EW" + kBoard2.substr(6), "7 S All" + kBoard3.substr(6)}}, ""},
        {"DUP, record 3 cut short", (dupRecord(0, "YN1  1 3  ") + dupRecord(1, "YN1  1 3  ") +
                                     dupRecord(2, "YN1  1 3  ")).substr(0, 2 * 156 + 146),
         {}, "record 3: cut short (146 of 156 bytes)"},
        {"DUP, counted backwards", dupRecord(0, "YY1  1 2  ") + dupRecord(1, "YY1  1 2  "), {}, "counted backwards"},
        {"DUP, a highest board that is neither", dupRecord(0, "YN1  1 7  ") + dupRecord(1, "YN1  1 7  "), {},
         "record 1: the highest board is given as '7  ', but 2 records from board 1 end at board 2"},
        {"DUP, a second set's control bytes", dupRecord(0, "YN1  1 2  ") + dupRecord(1, "YN25 1 26 "), {},
         "record 2: its control bytes differ from the first record's"},
        {"DUP, boards above 999", dupRecord(0, "YN9991 999") + dupRecord(1, "YN9991 999"), {},
         "the boards run from 999 to 1000, above 999"},
        {"DUP, the screen shows other hands", dupRecord(0, "YN1  1 2  ") + dupRecord(0, "YN1  1 2  ").substr(0, 78) +
                                                   dupRecord(1, "YN1  1 2  ").substr(78),
         {}, "board 2: North's hand for the machine's screen differs from the card numbers"},
        // DLM: INI text, boards From board to To board, each line checked.
        {"DLM, boards 1 to 3",
         dlmFile("Headline=Club night|Status=Show|Duplicates=0|From board=1|To board=3|Next board to duplimate=0|"
                 "PrintOuts=0|Crypto key=0|Checksum=003", "\r\n"),
         {{kBoard1, kBoard2, kBoard3}}, ""},
        {"DLM, LF, names in capitals, the checksum of the board count",
         dlmFile("STATUS=Show|DUPLICATES=0|FROM BOARD=1|TO BOARD=3|CHECKSUM=2", "\n"), {{kBoard1, kBoard2, kBoard3}}, ""},
        // Worked by hand: the filler's letters XOR to 'b' ^ 'l' = 14, so board 1's checksum is 1 ^ 14 = 15.
        {"DLM, the filler deal on board 1",
         "[DOCUMENT]\r\nStatus=Sealed\r\nDuplicates=1\r\nFrom board=1\r\nTo board=1\r\nChecksum=1\r\n"
         "Board 01=aaaaaabffffffkkkkkklpppppp015\r\n",
         {{"1 N None N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432"}}, ""},
        {"DLM, a board's Duplicates in its checksum",
         dlmFile("Status=Show|Duplicates=1|From board=1|To board=3|Checksum=2", "\r\n",
                 {"hkmbfjjomhilbnmpfoacfodika017", kDlmLines[1], kDlmLines[2]}, '1'),
         {{kBoard1, kBoard2, kBoard3}}, ""},
        {"DLM, a letter outside a to p",
         dlmFile("Status=Show|Duplicates=1|From board=1|To board=3|Checksum=2", "\r\n",
                 {kDlmLines[0], "npcikaefklmbnpfebliliknnhq010", kDlmLines[2]}),
         {}, "board 2: the letter 'q' is outside a to p"},
        {"DLM, a board line's checksum wrong",
         dlmFile("Status=Show|Duplicates=1|From board=1|To board=3|Checksum=2", "\r\n",
                 {"hkmbfjjomhilbnmpfoacfodika017", kDlmLines[1], kDlmLines[2]}),
         {}, "board 1: the checksum 017 does not match the deal (016 expected)"},
        {"DLM, the file's checksum wrong", dlmFile("Status=Show|Duplicates=0|From board=1|To board=3|Checksum=7", "\r\n"),
         {}, "Checksum=7 does not match its boards and status (3 or 2 expected)"},
        {"DLM, a board of the set without its line",
         dlmFile("Status=Show|Duplicates=1|From board=1|To board=4|Checksum=5", "\r\n"), {},
         "board 4: the file has no line 'Board 04='"},
        {"DLM, To board above 99", dlmFile("Status=Show|Duplicates=1|From board=1|To board=100|Checksum=101", "\n"), {},
         "To board '100' is not a board from 1 to 99"},
        {"DLM, encrypted", dlmFile("Status=Show|Duplicates=1|From board=1|To board=3|Crypto key=41|Checksum=2", "\r\n"),
         {}, "the boards are encrypted (Crypto key=41)"},
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

// Sets that a format cannot hold, and the reason its writer gives.
struct WriterCase {
  const char* format;
  std::vector<std::string> boards;  // as boardOf reads them
  std::string refusal;              // a part of it
};

TEST(DealFiles, WritersRefuseSetsTheyCannotHold) {
  const std::string board1West = "1 W None" + kBoard1.substr(8);
  const std::string board100 = "100 W All" + kBoard1.substr(8);  // as its number implies
  const std::string board2None = "2 E None" + kBoard2.substr(6);
  const std::vector<WriterCase> cases = {
      {"bri", {kBoard2, kBoard3}, "the boards are not numbered 1 to 2 in order"},
      {"bri", {kBoard1, kBoard3}, "the boards are not numbered 1 to 2 in order"},
      {"dup", {kBoard1, kBoard3}, "board 3 follows board 1, but a DUP file holds boards numbered one after another"},
      {"dup", {"1000 W None" + kBoard1.substr(8)}, "board 1000 is above 999, the highest board a DUP file holds"},
      {"dlm", {board100}, "board 100 is above 99, the highest board a DLM file holds"},
      {"bri", {board1West}, "board 1's dealer is West, but a BRI file gives board 1 the dealer its number implies (North)"},
      {"dup", {board1West}, "board 1's dealer is West, but a DUP file gives board 1 the dealer its number implies (North)"},
      {"dlm", {board1West}, "board 1's dealer is West, but a DLM file gives board 1 the dealer its number implies (North)"},
      {"dup", {board2None, kBoard3},
       "board 2's vulnerability is None, but a DUP file gives board 2 the vulnerability its number implies (N-S)"},
      {"bri", {}, "a BRI file cannot hold a set of no boards"},
  };
  for (const WriterCase& c : cases) {
    SCOPED_TRACE(std::string(c.format) + ": " + c.refusal);
    DealSet set;
    for (const std::string& b : c.boards) set.boards.push_back(boardOf(b));
    const Written w = fileOf(*findFormat(c.format), set, {"\r\n", "test"});
    EXPECT_NE(w.refusal.find(c.refusal), std::string::npos) << w.refusal;
    EXPECT_EQ(w.bytes, "");
  }
}

// The machines' files as their makers describe them: BRI's padded records,
// DUP's control bytes ("YN1  1 32 " for a set of 32 boards, in every
// record), DLM's checksum of a set of 24 boards (025, as the machine wrote
// it) and the filler deal outside the set (number XOR 14).
TEST(DealFiles, MachineFilesHoldWhatTheirMakersDescribe) {
  const SetParameters p = decodeControlDigits(*checkControlString("1000100006"));
  DealSet set = setOfControlString("1000100006", p, dealSet(p));
  ASSERT_EQ(set.boards.size(), 24u);
  const std::string bri = fileOf(*findFormat("bri"), set, {"\r\n", "test"}).bytes;
  ASSERT_EQ(bri.size(), 24u * 128);
  EXPECT_EQ(bri.substr(0, 128), briRecord(kCardNumbers[0]));
  EXPECT_EQ(bri.substr(256, 78), kCardNumbers[2]);

  const std::string dlm = fileOf(*findFormat("dlm"), set, {"\n", "test"}).bytes;
  EXPECT_EQ(dlm.substr(0, dlm.find("Duplicates 01")),
            "[Document]\r\nHeadline=" + set.event +
                "\r\nStatus=Show\r\nDuplicates=1\r\nFrom board=1\r\nTo board=24\r\nNext board to duplimate=0\r\n"
                "PrintOuts=0\r\nCrypto key=0\r\nChecksum=025\r\n");
  EXPECT_NE(dlm.find("Duplicates 01=0\r\nBoard 01=" + kDlmLines[0] + "\r\n"), std::string::npos);
  EXPECT_NE(dlm.find("Board 03=" + kDlmLines[2] + "\r\n"), std::string::npos);
  EXPECT_NE(dlm.find("Board 25=aaaaaabffffffkkkkkklpppppp023\r\n"), std::string::npos);
  EXPECT_NE(dlm.find("Board 99=aaaaaabffffffkkkkkklpppppp109\r\n"), std::string::npos);
  EXPECT_EQ(readDealFile(dlm).sets.at(0).event, set.event);  // from the headline

  const SetParameters p36 = decodeControlDigits(*checkControlString("123456789X"));
  set = setOfControlString("123456789X", p36, dealSet(p36));
  ASSERT_GE(set.boards.size(), 32u);
  set.boards.resize(32);
  const std::string dup = fileOf(*findFormat("dup"), set, {"\r\n", "test"}).bytes;
  ASSERT_EQ(dup.size(), 32u * 156);
  for (std::size_t r = 0; r < 32; ++r) EXPECT_EQ(dup.substr(r * 156 + 146, 10), "YN1  1 32 ") << "record " << r + 1;
  set.boards.erase(set.boards.begin());
  const std::string from2 = fileOf(*findFormat("dup"), set, {"\r\n", "test"}).bytes;
  EXPECT_EQ(from2.substr(146, 10), "YN2  1 32 ");
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
