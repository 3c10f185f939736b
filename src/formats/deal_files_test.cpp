// Deal files of every format, read and written: one table of files with the
// boards they hold or the reason they are refused, one of sets that a
// format cannot hold, and the round trip of dealt sets through every format.
#include <gtest/gtest.h>

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

const std::vector<FileCase>& fileCases() {
  static const std::vector<FileCase> cases = [] {
    const std::string archive = archiveOf("1000100006");
    std::string twice = archive;
    twice.replace(twice.find("Deal: 2 "), 8, "Deal: 1 ");
    std::string shortHand = archive;
    shortHand.replace(shortHand.find("98 T63"), 6, "98 T6 ");
    return std::vector<FileCase>{
        // Files in no format, or empty.
        {"empty", "", {}, "the file is empty"},
        {"blank lines", "\r\n \n", {}, "the file is empty"},
        {"no format", "Board 1: AKQ of spades\n", {}, "no deal file format"},
        // The deal archive.
        {"archive", archive.substr(0, archive.find("Deal: 4 ")), {{kBoard1, kBoard2, kBoard3}}, ""},
        {"archive, one number twice", twice, {}, "board 1 is given twice with different hands"},
        {"archive, a card short", shortHand, {}, "board 1: North holds 12 cards instead of 13"},
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
