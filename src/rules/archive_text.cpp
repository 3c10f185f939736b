#include "rules/archive_text.h"

#include <initializer_list>

#include "rules/calendar.h"

namespace kveld {

namespace {

std::string entry(const auto& table, int index) { return std::string(table.at(static_cast<std::size_t>(index))); }

}  // namespace

ArchiveName archiveName(const SetParameters& set, const std::string& dfDirectory) {
  ArchiveName n;
  const std::string day = std::to_string(set.dayOfMonth + 100);
  n.baseName = entry(kMonthName, set.monthNumber).substr(0, 3) + "-" + day.substr(day.size() - 2) + "-" +
               entry(kSessionLetter, set.sessionNumber);
  n.fileName = n.baseName + ".txt";
  n.path = dfDirectory + "\\" + std::string(kArchiveFolderName) + "\\" + n.fileName;
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

std::string archiveHeader(std::string_view date, std::string_view title) {
  return "-- " + std::string(8, ' ') + std::string(date) + std::string(5, ' ') + std::string(title);
}

std::string archiveHeader(const SetParameters& set) {
  // The control string carries no calendar year, so nothing follows the
  // comma and its blank where a year would stand.
  return archiveHeader(setDate(set) + ", ", entry(kSessionName, set.sessionNumber));
}

std::string archiveText(std::string_view heading, std::span<const Board> boards) {
  const std::string dashLine(79, '-');
  ArchiveLines out;
  out.put(dashLine);
  out.endLine();
  out.put(std::string(heading));
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
  for (const Board& board : boards) {
    line({{1, "Deal: " + std::to_string(board.number)}, {40, handLine(board, Seat::North)}});
    line({{1, "Contract: 4H-South"}, {23, handLine(board, Seat::West)}, {57, handLine(board, Seat::East)}});
    line({{1, "OnLead: West"}, {40, handLine(board, Seat::South)}});
    line({{1, "Lead: Any"}});
    out.endLine();
    out.endLine();
  }
  return out.bytes();
}

}  // namespace kveld
