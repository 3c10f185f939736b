// Sets as four-hand diagrams for a terminal or a printer: North on top,
// West and East side by side, South below, with each board's number,
// dealer and vulnerability beside North.
#include <array>

#include "analysis/analysis_text.h"
#include "batch/board_facts.h"
#include "batch/control_check.h"
#include "batch/formats.h"
#include "batch/set_analysis.h"

namespace kveld::batch {

namespace {

constexpr std::size_t kMiddleColumn = 20;  // North and South
constexpr std::size_t kRightColumn = 40;   // East
constexpr std::array<char, 4> kSuitLetters = {'S', 'H', 'D', 'C'};

class Diagram {
 public:
  Diagram(const DealtSet& set, const FormatContext& context, int board)
      : set_(set), context_(context), board_(board) {}

  // "S AKQ", "H --" for a void.
  std::string suitLine(int seat, int suit) const {
    const std::string holding = holdingOf(set_.deals, board_, seat, suit, context_.tables);
    return std::string(1, kSuitLetters[static_cast<std::size_t>(suit)]) + " " +
           (holding.empty() ? context_.tables.voidMark : holding);
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

  std::string draw() {
    const std::string facts[5] = {
        "Board " + std::to_string(board_),
        "Dealer: " + std::string(kSeatNames[static_cast<std::size_t>(dealerSeat(board_))]),
        "Vulnerable: " + std::string(vulnerabilityText(board_)),
        "",
        "",
    };
    constexpr int north = 0, east = 1, south = 2, west = 3;
    line(facts[0], "North");
    for (int suit = 0; suit < 4; ++suit) line(facts[suit + 1], suitLine(north, suit));
    line("West", "", "East");
    for (int suit = 0; suit < 4; ++suit) line(suitLine(west, suit), "", suitLine(east, suit));
    line("", "South");
    for (int suit = 0; suit < 4; ++suit) line("", suitLine(south, suit));
    if (set_.analysis != nullptr) {
      // The double-dummy table and the par line under the diagram.
      out_ += context_.lineEnd;
      for (const std::string& text :
           analysis::trickTableLines(set_.analysis->boards.at(static_cast<std::size_t>(board_ - 1))))
        out_ += text + context_.lineEnd;
    }
    return out_;
  }

 private:
  const DealtSet& set_;
  const FormatContext& context_;
  int board_;
  std::string out_;
};

}  // namespace

std::string textSet(const DealtSet& set, const FormatContext& context, int index) {
  std::string out;
  if (index > 0) out += context.lineEnd;
  out += printable(set.controlString) + ": " + describeSet(set.params, context.tables) + context.lineEnd;
  for (int board = 1; board <= set.params.boardCount; ++board) {
    out += context.lineEnd;
    out += Diagram(set, context, board).draw();
  }
  return out;
}

}  // namespace kveld::batch
