#include "archive_reader.h"

#include <cstddef>
#include <sstream>

namespace standin {
namespace {

constexpr std::string_view kRanks = "AKQJT98765432";
constexpr std::size_t kNorthColumn = 40;
constexpr std::size_t kWestColumn = 23;
constexpr std::size_t kEastColumn = 57;
constexpr std::size_t kSouthColumn = 40;

std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : bytes) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) {
    if (line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The text of a line from a 1-based column up to (not including) another.
std::string field(const std::string& line, std::size_t from, std::size_t to = std::string::npos) {
  if (line.size() < from) return {};
  const std::size_t begin = from - 1;
  return line.substr(begin, to == std::string::npos ? std::string::npos : to - from);
}

bool validHolding(const std::string& holding) {
  if (holding == "--") return true;
  if (holding.empty()) return false;
  std::size_t previous = 0;
  bool first = true;
  for (char c : holding) {
    const std::size_t at = kRanks.find(c);
    if (at == std::string_view::npos) return false;
    if (!first && at <= previous) return false;  // out of order or repeated
    previous = at;
    first = false;
  }
  return true;
}

// The number the "Deal:" text names, or 0.
int dealNumber(const std::string& line) {
  const std::string digits = trim(field(line, 6, kNorthColumn));
  if (digits.empty() || digits.size() > 3) return 0;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

// Every card of the pack exactly once across the four hands.
bool wholePack(const Board& board) {
  std::array<int, 52> seen{};
  for (const Hand& hand : board.hands)
    for (std::size_t suit = 0; suit < 4; ++suit) {
      if (hand[suit] == "--") continue;
      for (char c : hand[suit]) ++seen[suit * 13 + kRanks.find(c)];
    }
  for (int count : seen)
    if (count != 1) return false;
  return true;
}

}  // namespace

bool parseHand(const std::string& text, Hand& hand) {
  std::istringstream in(text);
  Hand read;
  std::string extra;
  for (std::string& holding : read)
    if (!(in >> holding) || !validHolding(holding)) return false;
  if (in >> extra) return false;
  hand = read;
  return true;
}

Archive parseArchive(const std::string& bytes) {
  Archive archive;
  const std::vector<std::string> lines = splitLines(bytes);
  if (lines.size() >= 3 && lines[0].starts_with("---")) {
    std::string heading = lines[1];
    if (heading.starts_with("--")) heading.erase(0, 2);
    archive.heading = trim(heading);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with("Deal:")) continue;
    Board board;
    board.number = dealNumber(lines[i]);
    const std::string name = "Deal:" + field(lines[i], 6, kNorthColumn);
    const std::string& middle = i + 1 < lines.size() ? lines[i + 1] : std::string();
    const std::string& bottom = i + 2 < lines.size() ? lines[i + 2] : std::string();
    const bool read = board.number > 0 && parseHand(field(lines[i], kNorthColumn), board.hands[north]) &&
                      parseHand(field(middle, kWestColumn, kEastColumn), board.hands[west]) &&
                      parseHand(field(middle, kEastColumn), board.hands[east]) &&
                      parseHand(field(bottom, kSouthColumn), board.hands[south]);
    if (!read) {
      archive.problems.push_back(trim(name) + ": the hands cannot be read");
    } else if (!wholePack(board)) {
      archive.problems.push_back(trim(name) + ": the hands do not hold each card once");
    } else {
      archive.boards.push_back(board);
      i += 2;
    }
  }
  return archive;
}

}  // namespace standin
