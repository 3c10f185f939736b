// Sets as PBN 2.1 export-format games: the mandatory tags in their order,
// one game per board, ASCII, CR LF line ends; read by pbn_reader.cpp.
#include "formats/analysis_text.h"
#include "formats/formats.h"
#include "formats/pbn_reader.h"

namespace kveld::formats {

namespace {

const char* const kEnd = "\r\n";

// A quote in a value is escaped with a backslash, and so is a backslash
// that a reader would otherwise take as an escape; any other backslash
// stands for itself, as in a table's column "Result\2R".
std::string tag(std::string_view name, std::string_view value) {
  std::string escaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    const char next = i + 1 < value.size() ? value[i + 1] : '\\';
    if (c == '"' || (c == '\\' && (next == '"' || next == '\\'))) escaped += '\\';
    escaped += c;
  }
  return "[" + std::string(name) + " \"" + escaped + "\"]" + kEnd;
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

std::string orUnknown(const std::string& value) { return value.empty() ? "?" : value; }

std::string pbnBegin(const FormatContext& context) {
  return std::string("% PBN 2.1") + kEnd + "% EXPORT" + kEnd +
         "%Content-type: text/x-pbn; charset=ISO-8859-1" + kEnd + "%Creator: " + context.maker + kEnd;
}

Written pbnSet(const DealSet& set, const FormatContext&, int) {
  std::string out;
  for (std::size_t i = 0; i < set.boards.size(); ++i) {
    const SetBoard& b = set.boards[i];
    const Board& board = b.deal;
    // Games are separated by one empty line; the first game of a file
    // stands apart from the file's header lines in the same way.
    out += kEnd;
    out += tag("Event", orUnknown(set.event));
    out += tag("Site", orUnknown(set.site));
    out += tag("Date", orUnknown(set.date));
    out += tag("Board", std::to_string(board.number));
    out += tag("West", "?");
    out += tag("North", "?");
    out += tag("East", "?");
    out += tag("South", "?");
    out += tag("Dealer", std::string(1, seatLetter(b.dealer)));
    out += tag("Vulnerable", vulnerabilityTag(b.vulnerability));
    out += tag("Deal", dealTag(board));
    out += tag("Scoring", "?");
    out += tag("Declarer", "?");
    out += tag("Contract", "?");
    out += tag("Result", "?");
    if (const analysis::BoardAnalysis* a = set.analysisOf(i)) out += analysisTags(*a);
  }
  return {out, ""};
}

}  // namespace

Format pbnFormat() { return {"pbn", "PBN", ".pbn", "", true, false, isPbn, readPbn, pbnBegin, pbnSet, nothing}; }

}  // namespace kveld::formats
