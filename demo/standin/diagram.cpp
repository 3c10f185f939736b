#include "diagram.h"

#include <algorithm>

namespace standin {
namespace {

constexpr std::size_t kBoardWidth = 40;    // columns given to one board
constexpr std::size_t kNorthSouthAt = 12;  // column offsets inside a board
constexpr std::size_t kWestAt = 0;
constexpr std::size_t kEastAt = 24;
constexpr std::size_t kBoardRows = 13;  // title row and 3 x 4 suit rows
constexpr const char* kSuitLetter[] = {"S ", "H ", "D ", "C "};

void putText(std::string& line, std::size_t column, const std::string& text) {
  if (line.size() < column + text.size()) line.resize(column + text.size(), ' ');
  line.replace(column, text.size(), text);
}

void putBoard(std::vector<std::string>& rows, std::size_t left, const Board& board) {
  putText(rows[0], left, "Board " + std::to_string(board.number));
  for (std::size_t suit = 0; suit < 4; ++suit) {
    const std::string s = kSuitLetter[suit];
    putText(rows[1 + suit], left + kNorthSouthAt, s + board.hands[north][suit]);
    putText(rows[5 + suit], left + kWestAt, s + board.hands[west][suit]);
    putText(rows[5 + suit], left + kEastAt, s + board.hands[east][suit]);
    putText(rows[9 + suit], left + kNorthSouthAt, s + board.hands[south][suit]);
  }
}

std::string keyLine(bool more, bool earlier) {
  std::string keys;
  if (more) keys += "Space: next boards   ";
  if (earlier) keys += "B: back   ";
  return keys + "Enter: end";
}

}  // namespace

std::size_t pageCount(const Archive& archive) {
  return std::max<std::size_t>(1, (archive.boards.size() + kBoardsPerPage - 1) / kBoardsPerPage);
}

std::vector<std::string> renderPage(const Archive& archive, const std::string& fileName, std::size_t page) {
  const std::size_t pages = pageCount(archive);
  page = std::min(page, pages - 1);
  std::vector<std::string> lines;
  lines.push_back("Deal viewer (DeepFinesse stand-in)   " + fileName + "   page " + std::to_string(page + 1) +
                  " of " + std::to_string(pages));
  lines.push_back(archive.heading);
  lines.emplace_back();

  const std::size_t first = page * kBoardsPerPage;
  const std::size_t last = std::min(first + kBoardsPerPage, archive.boards.size());
  if (first < last) {
    std::vector<std::string> rows(kBoardRows);
    for (std::size_t b = first; b < last; ++b) putBoard(rows, (b - first) * kBoardWidth, archive.boards[b]);
    lines.insert(lines.end(), rows.begin(), rows.end());
  } else {
    lines.emplace_back("No boards could be read from this file.");
  }
  // The problems, if any, on the last page, as far as the screen holds them.
  if (page + 1 == pages)
    for (std::size_t i = 0; i < archive.problems.size() && lines.size() < 20; ++i)
      lines.push_back(archive.problems[i]);
  while (lines.size() < 21) lines.emplace_back();
  lines.push_back(keyLine(page + 1 < pages, page > 0));
  for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
  return lines;
}

std::vector<std::string> renderMessage(const std::string& message, const std::string& folder) {
  return {"Deal viewer (DeepFinesse stand-in)", "", message, "  " + folder, "", "Enter: end"};
}

}  // namespace standin
