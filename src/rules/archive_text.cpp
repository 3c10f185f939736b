#include "rules/archive_text.h"

#include <initializer_list>

namespace kveld {

namespace {

const std::string& entry(const auto& table, int index) { return table.at(static_cast<std::size_t>(index)); }

}  // namespace

ArchiveName archiveName(const RuleTables& t, const SetParameters& set, const std::string& dfDirectory) {
  ArchiveName n;
  const std::string day = std::to_string(set.dayOfMonth + 100);
  n.baseName = entry(t.monthName, set.monthNumber).substr(0, 3) + "-" + day.substr(day.size() - 2) + "-" +
               entry(t.sessionLetter, set.sessionNumber);
  n.fileName = n.baseName + ".txt";
  n.path = dfDirectory + "\\" + t.archiveFolderName + "\\" + n.fileName;
  return n;
}

void ArchiveLines::put(const std::string& text) {
  bytes_ += text;
  lineLength_ += text.size();
}

void ArchiveLines::tabTo(int column) {
  const std::size_t before = column > 1 ? static_cast<std::size_t>(column - 1) : 0;
  if (lineLength_ > before) endLine();
  put(std::string(before - lineLength_, ' '));
}

void ArchiveLines::endLine() {
  bytes_ += "\r\n";
  lineLength_ = 0;
}

std::string archiveHeader(const RuleTables& t, const SetParameters& set) {
  // The control string carries no calendar year, so nothing follows the
  // comma and its blank where a year would stand.
  return "-- " + std::string(8, ' ') + setDate(set, t) + ", " + std::string(5, ' ') +
         entry(t.sessionName, set.sessionNumber);
}

std::string archiveText(const RuleTables& t, const SetParameters& set, const DealStore& deals) {
  const std::string dashLine(79, '-');
  ArchiveLines out;
  out.put(dashLine);
  out.endLine();
  out.put(archiveHeader(t, set));
  out.endLine();
  out.put(dashLine);
  out.endLine();
  out.endLine();

  // A line of pieces, each starting at its column (counted from 1).
  struct Piece {
    int column;
    std::string text;
  };
  auto line = [&out](std::initializer_list<Piece> pieces) {
    for (const Piece& piece : pieces) {
      out.tabTo(piece.column);
      out.put(piece.text);
    }
    out.endLine();
  };
  const int boards = set.boardCount;
  for (int b = 1; b <= boards; ++b) {
    const Board& board = deals.board(b);
    line({{1, "Deal: " + std::to_string(b)}, {40, handLine(board, Seat::North)}});
    line({{1, "Contract: 4H-South"}, {23, handLine(board, Seat::West)}, {57, handLine(board, Seat::East)}});
    line({{1, "OnLead: West"}, {40, handLine(board, Seat::South)}});
    line({{1, "Lead: Any"}});
    out.endLine();
    out.endLine();
  }
  return out.bytes();
}

}  // namespace kveld
