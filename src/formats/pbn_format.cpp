// Sets as PBN 2.1 export-format games: the mandatory tags in their order,
// one game per board, ASCII, CR LF line ends.
#include "formats/analysis_text.h"
#include "formats/formats.h"

namespace kveld::formats {

namespace {

const char* const kEnd = "\r\n";

std::string tag(std::string_view name, std::string_view value) {
  return "[" + std::string(name) + " \"" + std::string(value) + "\"]" + kEnd;
}

std::string twoDigits(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// The control string carries no calendar year. Day 0 of January, which some
// control strings decode to, is no day of the calendar: it is written as an
// unknown day rather than as a date no reader takes.
std::string pbnDate(const SetParameters& p) {
  return "????." + twoDigits(p.monthNumber) + "." + (p.dayOfMonth == 0 ? "??" : twoDigits(p.dayOfMonth));
}

// "N:" and the hands clockwise from North, suits separated by dots.
std::string dealTag(const Board& board) {
  std::string deal = "N:";
  for (Seat seat : kSeats) {
    if (seat != Seat::North) deal += ' ';
    for (Suit suit : kSuits) {
      if (suit != Suit::Spades) deal += '.';
      deal += holdingText(board.holding(seat, suit), "");
    }
  }
  return deal;
}

// The double-dummy table and par of an analysed board, after the mandatory
// tags: the table once as twenty digits and once as a table tag with its
// twenty lines, the par score from North-South's side and the contracts.
std::string analysisTags(const analysis::BoardAnalysis& a) {
  std::string out = tag("DoubleDummyTricks", doubleDummyTricks(a));
  out += tag("OptimumResultTable", "Declarer;Denomination\\2R;Result\\2R");
  for (const std::string& line : optimumResultLines(a)) out += line + kEnd;
  out += tag("OptimumScore", parScoreText(a.par));
  out += tag("ParContract", parContractsText(a.par));
  return out;
}

}  // namespace

std::string pbnBegin(const FormatContext& context) {
  return std::string("% PBN 2.1") + kEnd + "% EXPORT" + kEnd +
         "%Content-type: text/x-pbn; charset=ISO-8859-1" + kEnd + "%Creator: " + context.maker + kEnd;
}

std::string pbnSet(const DealtSet& set, const FormatContext&, int) {
  const SetParameters& p = set.params;
  const std::string event = setTitle(p);
  std::string out;
  for (std::size_t i = 0; i < set.boards.size(); ++i) {
    const Board& board = set.boards[i];
    // Games are separated by one empty line; the first game of a file
    // stands apart from the file's header lines in the same way.
    out += kEnd;
    out += tag("Event", event);
    out += tag("Site", "?");
    out += tag("Date", pbnDate(p));
    out += tag("Board", std::to_string(board.number));
    out += tag("West", "?");
    out += tag("North", "?");
    out += tag("East", "?");
    out += tag("South", "?");
    out += tag("Dealer", std::string(1, seatLetter(dealerOf(board.number))));
    out += tag("Vulnerable", vulnerabilityTag(vulnerabilityOf(board.number)));
    out += tag("Deal", dealTag(board));
    out += tag("Scoring", "?");
    out += tag("Declarer", "?");
    out += tag("Contract", "?");
    out += tag("Result", "?");
    if (const analysis::BoardAnalysis* a = set.analysisOf(i)) out += analysisTags(*a);
  }
  return out;
}

}  // namespace kveld::formats
