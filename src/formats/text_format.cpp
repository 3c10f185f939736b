// Sets as four-hand diagrams for a terminal or a printer: North on top,
// West and East side by side, South below, with each board's number,
// dealer and vulnerability beside North.
#include "formats/analysis_text.h"
#include "formats/formats.h"

namespace kveld::formats {

namespace {

constexpr std::size_t kMiddleColumn = 20;  // North and South
constexpr std::size_t kRightColumn = 40;   // East

class Diagram {
 public:
  Diagram(const SetBoard& board, const analysis::BoardAnalysis* analysis, const FormatContext& context)
      : set_(board), board_(board.deal), analysis_(analysis), context_(context) {}

  // "S AKQ", "H --" for a void.
  std::string suitLine(Seat seat, Suit suit) const {
    return std::string(1, suitLetter(suit)) + " " +
           holdingText(board_.holding(seat, suit), kVoidMark);
  }

  // The texts at the left, middle and right of one line, with no blanks at
  // its end.
  void line(std::string_view left, std::string_view middle, std::string_view right = {}) {
    std::string text(left);
    auto placeAt = [&text](std::size_t column, std::string_view piece) {
      if (piece.empty()) return;
      if (text.size() < column) text.append(column - text.size(), ' ');
      text += piece;
    };
    placeAt(kMiddleColumn, middle);
    placeAt(kRightColumn, right);
    out_ += text + context_.lineEnd;
  }

  // "North 9 HCP".
  std::string seatLine(Seat seat) const {
    return std::string(seatName(seat)) + " " + std::to_string(board_.highCardPoints(seat)) + " HCP";
  }

  std::string draw() {
    const std::string facts[5] = {
        "Board " + std::to_string(board_.number),
        "Dealer: " + std::string(seatName(set_.dealer)),
        "Vulnerable: " + std::string(vulnerabilityWords(set_.vulnerability)),
        "",
        "",
    };
    line(facts[0], seatLine(Seat::North));
    for (Suit suit : kSuits) line(facts[indexOf(suit) + 1], suitLine(Seat::North, suit));
    line(seatLine(Seat::West), "", seatLine(Seat::East));
    for (Suit suit : kSuits) line(suitLine(Seat::West, suit), "", suitLine(Seat::East, suit));
    line("", seatLine(Seat::South));
    for (Suit suit : kSuits) line("", suitLine(Seat::South, suit));
    if (analysis_ != nullptr) {
      // The double-dummy table and the par line under the diagram.
      out_ += context_.lineEnd;
      for (const std::string& text : trickTableLines(*analysis_)) out_ += text + context_.lineEnd;
    }
    return out_;
  }

 private:
  const SetBoard& set_;
  const Board& board_;
  const analysis::BoardAnalysis* analysis_;
  const FormatContext& context_;
  std::string out_;
};

Written textSet(const DealSet& set, const FormatContext& context, int index) {
  std::string out;
  if (index > 0) out += context.lineEnd;
  out += set.source + ": " + set.heading() + context.lineEnd;
  for (std::size_t i = 0; i < set.boards.size(); ++i) {
    out += context.lineEnd;
    out += Diagram(set.boards[i], set.analysisOf(i), context).draw();
  }
  return {out, ""};
}

}  // namespace

Format textFormat() {
  return {"text", "Text", ".txt", "", true, false, nullptr, nullptr, nothing, textSet, nothing};
}

}  // namespace kveld::formats
