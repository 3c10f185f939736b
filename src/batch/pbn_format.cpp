// Sets as PBN 2.1 export-format games: the mandatory tags in their order,
// one game per board, ASCII, CR LF line ends.
#include <array>

#include "analysis/analysis_text.h"
#include "batch/board_facts.h"
#include "batch/formats.h"
#include "batch/set_analysis.h"

namespace kveld::batch {

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

std::string_view vulnerabilityTag(int board) {
  switch (vulnerability(board)) {
    case Vulnerability::none: return "None";
    case Vulnerability::northSouth: return "NS";
    case Vulnerability::eastWest: return "EW";
    case Vulnerability::both: return "All";
  }
  return "None";
}

// "N:" and the hands clockwise from North, suits separated by dots.
std::string dealTag(const DealStore& deals, int board, const RuleTables& tables) {
  std::string deal = "N:";
  for (int seat = 0; seat < 4; ++seat) {
    if (seat > 0) deal += ' ';
    for (int suit = 0; suit < 4; ++suit) {
      if (suit > 0) deal += '.';
      deal += holdingOf(deals, board, seat, suit, tables);
    }
  }
  return deal;
}

// The double-dummy table and par of an analysed board, after the mandatory
// tags: the table once as twenty digits and once as a table tag with its
// twenty lines, the par score from North-South's side and the contracts.
std::string analysisTags(const analysis::BoardAnalysis& a) {
  std::string out = tag("DoubleDummyTricks", analysis::doubleDummyTricks(a));
  out += tag("OptimumResultTable", "Declarer;Denomination\\2R;Result\\2R");
  for (const std::string& line : analysis::optimumResultLines(a)) out += line + kEnd;
  out += tag("OptimumScore", analysis::parScoreText(a.par));
  out += tag("ParContract", analysis::parContractsText(a.par));
  return out;
}

}  // namespace

std::string pbnBegin(const FormatContext& context) {
  return std::string("% PBN 2.1") + kEnd + "% EXPORT" + kEnd +
         "%Content-type: text/x-pbn; charset=ISO-8859-1" + kEnd + "%Creator: kveld-batch " + context.version +
         kEnd;
}

std::string pbnSet(const DealtSet& set, const FormatContext& context, int) {
  const RuleTables& t = context.tables;
  const SetParameters& p = set.params;
  const std::string event = t.monthName.at(static_cast<std::size_t>(p.monthNumber)) + " " +
                            std::to_string(p.dayOfMonth) + ", " +
                            t.sessionName.at(static_cast<std::size_t>(p.sessionNumber));
  std::string out;
  for (int board = 1; board <= p.boardCount; ++board) {
    // Games are separated by one empty line; the first game of a file
    // stands apart from the file's header lines in the same way.
    out += kEnd;
    out += tag("Event", event);
    out += tag("Site", "?");
    out += tag("Date", pbnDate(p));
    out += tag("Board", std::to_string(board));
    out += tag("West", "?");
    out += tag("North", "?");
    out += tag("East", "?");
    out += tag("South", "?");
    out += tag("Dealer", std::string(1, kSeatLetters[static_cast<std::size_t>(dealerSeat(board))]));
    out += tag("Vulnerable", vulnerabilityTag(board));
    out += tag("Deal", dealTag(set.deals, board, t));
    out += tag("Scoring", "?");
    out += tag("Declarer", "?");
    out += tag("Contract", "?");
    out += tag("Result", "?");
    if (set.analysis != nullptr)
      out += analysisTags(set.analysis->boards.at(static_cast<std::size_t>(board - 1)));
  }
  return out;
}

}  // namespace kveld::batch
