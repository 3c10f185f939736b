// DeepFinesse's deal archive: the file the interactive program writes, read
// back so that a hand record can be made from an archive folder. The file
// states no dealer or vulnerability: they follow the board's number.
#include <sstream>

#include "formats/formats.h"
#include "rules/archive_text.h"

namespace kveld::formats {

namespace {

const std::string kRule(79, '-');

Written archiveSet(const DealSet& set, const FormatContext&, int) {
  return {archiveText(set.archiveHeading, set.deals()), ""};
}

bool isArchive(std::string_view bytes) {
  if (bytes.size() < kRule.size() + 4 || bytes.substr(0, kRule.size()) != kRule) return false;
  const std::size_t at = kRule.size() + (bytes[kRule.size()] == '\r' ? 1 : 0);
  return bytes.substr(at, 4) == "\n-- ";
}

std::vector<std::string> linesOf(std::string_view bytes) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(bytes)};
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A hand as the archive writes it, "98 T63 J432 9632", from a column on.
std::optional<std::array<Holding, 4>> handAt(const std::string& line, std::size_t from, std::size_t to) {
  if (line.size() <= from) return std::nullopt;
  std::istringstream in(line.substr(from, to - from));
  std::array<Holding, 4> hand{};
  for (Suit suit : kSuits) {
    std::string word;
    if (!(in >> word)) return std::nullopt;
    if (word == kVoidMark) continue;
    const std::optional<Holding> holding = holdingOf(word);
    if (!holding) return std::nullopt;
    hand[indexOf(suit)] = *holding;
  }
  std::string more;
  if (in >> more) return std::nullopt;
  return hand;
}

// "--         January 1,      Morning" gives "January 1, Morning".
std::string wordsOf(const std::string& heading) {
  std::string words;
  const std::size_t from = heading.find_first_not_of("- ");
  if (from == std::string::npos) return "";
  std::istringstream in(heading.substr(from));
  for (std::string w; in >> w;) words += (words.empty() ? "" : " ") + w;
  return words;
}

Read readArchive(std::string_view bytes) {
  const std::vector<std::string> lines = linesOf(bytes);
  Read read;
  DealSet& set = read.sets.emplace_back();
  // The heading, between two rules; a file without one gets the words of
  // its name.
  if (lines.size() > 1 && lines[1].rfind("--", 0) == 0) {
    set.event = wordsOf(lines[1]);
    set.archiveHeading = lines[1];
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("Deal:", 0) != 0) continue;
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    int number = 0;
    try {
      number = std::stoi(lines[i].substr(5));
    } catch (const std::exception&) {
      number = 0;
    }
    if (number < 1) return {{}, where + "the deal has no number"};
    if (i + 2 >= lines.size()) return {{}, "board " + std::to_string(number) + ": the deal is cut short"};
    GivenHands given;
    given.hands[indexOf(Seat::North)] = handAt(lines[i], 39, std::string::npos);
    given.hands[indexOf(Seat::West)] = handAt(lines[i + 1], 22, 56);
    given.hands[indexOf(Seat::East)] = handAt(lines[i + 1], 56, std::string::npos);
    given.hands[indexOf(Seat::South)] = handAt(lines[i + 2], 39, std::string::npos);
    for (Seat seat : kSeats)
      if (!given.hands[indexOf(seat)])
        return {{}, "board " + std::to_string(number) + ": " + std::string(seatName(seat)) + "'s hand cannot be read"};
    const CheckedBoard checked = checkedBoard(number, given);
    if (!checked.deal) return {{}, "board " + std::to_string(number) + ": " + checked.problem};
    if (std::string problem = addBoard(set, boardByNumber(*checked.deal)); !problem.empty()) return {{}, problem};
  }
  if (set.boards.empty()) return {{}, "the archive holds no deal"};
  return read;
}

}  // namespace

Format archiveFormat() {
  return {"archive", "DeepFinesse archive", ".txt", "", false, false, isArchive, readArchive, nothing, archiveSet, nothing};
}

}  // namespace kveld::formats
