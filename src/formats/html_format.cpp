// Sets as a printable hand record: one self-contained HTML page (its styles
// inside, nothing fetched), each board a compass diagram with its number,
// dealer and vulnerability and, when the set was analysed, the double-dummy
// table and par beside it. Printed, six boards fill a page of A4 or US
// Letter and no board is split between pages.
#include <array>

#include "formats/analysis_text.h"
#include "formats/formats.h"

namespace kveld::formats {

namespace {

constexpr std::size_t kBoardsPerPage = 6;

// The suits as printed: symbol, the name a screen reader says, and whether
// it is printed in red.
struct SuitLook {
  const char* symbol;
  const char* name;
  bool red;
};
constexpr std::array<SuitLook, 4> kSuitLooks = {{{"\u2660", "spades", false},
                                                 {"\u2665", "hearts", true},
                                                 {"\u2666", "diamonds", true},
                                                 {"\u2663", "clubs", false}}};

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string suitSymbol(Suit suit) {
  const SuitLook& s = kSuitLooks[indexOf(suit)];
  return std::string("<span class=\"") + (s.red ? "red" : "black") + "\" title=\"" + s.name + "\">" +
         s.symbol + "</span>";
}

std::string hand(const Board& board, Seat seat) {
  std::string out = "<div class=\"hand\">";
  for (Suit suit : kSuits)
    out += "<div>" + suitSymbol(suit) + " " + holdingText(board.holding(seat, suit), "&mdash;") + "</div>";
  return out + "</div>";
}

// Rows N, S, E, W; columns NT and the suits.
std::string trickTable(const analysis::BoardAnalysis& a) {
  using analysis::Denomination;
  std::string out = "<table class=\"tricks\"><tr><th></th>";
  for (Denomination d : kDenominationOrder)
    out += "<th>" + (d == Denomination::NoTrump ? "NT" : suitSymbol(static_cast<Suit>(d))) + "</th>";
  out += "</tr>";
  for (Seat seat : kDeclarerOrder) {
    out += std::string("<tr><th>") + seatLetter(seat) + "</th>";
    for (Denomination d : kDenominationOrder) out += "<td>" + std::to_string(a.tricksFor(seat, d)) + "</td>";
    out += "</tr>";
  }
  return out + "</table>";
}

std::string parHtml(const analysis::BoardAnalysis& a) {
  return "<b>Par " + escaped(parScoreText(a.par)) + "</b><br>" + escaped(parContractsText(a.par));
}

// The compass diagram in a grid of three by three, as hand records lay it
// out: the board's facts top left, North, the par top right; West, the
// compass, East; South with the double-dummy table beside it.
std::string boardHtml(const SetBoard& set, const analysis::BoardAnalysis* a) {
  const Board& board = set.deal;
  std::string out = "<div class=\"board\"><table class=\"diagram\">";
  out += "<tr><td class=\"facts\"><b>Board " + std::to_string(board.number) + "</b><br>Dealer " +
         std::string(seatName(set.dealer)) + "<br>Vul " +
         std::string(vulnerabilityWords(set.vulnerability)) + "</td><td>" +
         hand(board, Seat::North) + "</td><td class=\"par\">" + (a != nullptr ? parHtml(*a) : "") +
         "</td></tr>";
  auto points = [&board](Seat seat) { return std::to_string(board.highCardPoints(seat)); };
  out += "<tr><td>" + hand(board, Seat::West) + "</td><td class=\"compass\" title=\"High-card points\"><div>" +
         points(Seat::North) + "</div><div><span>" + points(Seat::West) + "</span><span>" + points(Seat::East) +
         "</span></div><div>" + points(Seat::South) + "</div></td><td>" + hand(board, Seat::East) + "</td></tr>";
  out += "<tr><td></td><td>" + hand(board, Seat::South) + "</td><td class=\"analysis\">" +
         (a != nullptr ? trickTable(*a) : "") + "</td></tr></table>";
  return out + "</div>";
}

const char* const kStyle = R"(
@page { margin: 12mm; }
* { box-sizing: border-box; }
body { margin: 0; font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; font-size: 10.5pt; color: #000;
       background: #fff; }
.set { break-before: page; }
.set:first-of-type { break-before: auto; }
h1 { font-size: 13pt; margin: 0 0 1mm; }
.control { margin: 0 0 3mm; }
/* A page holds six boards, two by three: 180 mm by 240 mm fits inside the
   margins of A4 (186 x 273) and of US Letter (192 x 255). */
.page { display: grid; grid-template-columns: 88mm 88mm; grid-auto-rows: 76mm; gap: 4mm;
        break-after: page; }
.set:last-of-type .page:last-child { break-after: auto; }
.board { border: 0.3mm solid #000; padding: 2mm; break-inside: avoid; }
.diagram { border-collapse: collapse; width: 100%; }
.diagram td { vertical-align: middle; padding: 0 1mm; white-space: nowrap; }
.diagram td.facts, .diagram td.par { vertical-align: top; font-size: 9pt; }
.diagram td.analysis { vertical-align: bottom; }
.compass { text-align: center; font-weight: bold; border: 0.3mm solid #000; width: 16mm; height: 14mm; }
.compass span { display: inline-block; width: 50%; }
.compass span:first-child { text-align: left; }
.compass span:last-child { text-align: right; }
.hand div { line-height: 1.25; }
.red { color: #c00000; }
.black { color: #000; }
.tricks { border-collapse: collapse; font-size: 9pt; margin-left: auto; }
.tricks th, .tricks td { border: 0.2mm solid #000; padding: 0 1mm; text-align: center; }
.diagram td.par { white-space: normal; text-align: right; }
@media screen { body { margin: 8mm; } .page { margin-bottom: 8mm; } }
)";

std::string htmlBegin(const FormatContext& context) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"generator\" content=\"" +
         escaped(context.maker) +
         "\">\n"
         "<title>Hand record</title>\n<style>" +
         kStyle + "</style>\n</head>\n<body>\n";
}

Written htmlSet(const DealSet& set, const FormatContext&, int) {
  std::string out = "<section class=\"set\">\n<h1>" + escaped(set.heading()) + "</h1>\n<p class=\"control\">" +
                    escaped(set.origin) +
                    ". The compass gives each hand&rsquo;s high-card points (ace 4, king 3, queen 2, jack 1).</p>\n";
  for (std::size_t first = 0; first < set.boards.size(); first += kBoardsPerPage) {
    out += "<div class=\"page\">\n";
    for (std::size_t i = first; i < first + kBoardsPerPage && i < set.boards.size(); ++i)
      out += boardHtml(set.boards[i], set.analysisOf(i)) + "\n";
    out += "</div>\n";
  }
  return {out + "</section>\n", ""};
}

std::string htmlEnd(const FormatContext&) { return "</body>\n</html>\n"; }

}  // namespace

Format htmlFormat() {
  return {"html", "Hand record", ".html", "", true, false, nullptr, nullptr, htmlBegin, htmlSet, htmlEnd};
}

}  // namespace kveld::formats
