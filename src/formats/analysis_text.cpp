#include "formats/analysis_text.h"

#include <array>

namespace kveld::formats {

using analysis::BoardAnalysis;
using analysis::Denomination;

namespace {

constexpr std::array<Seat, 4> kDeclarers = {Seat::North, Seat::South, Seat::East, Seat::West};
constexpr std::array<Denomination, 5> kDenominations = {Denomination::NoTrump, Denomination::Spades,
                                                        Denomination::Hearts, Denomination::Diamonds,
                                                        Denomination::Clubs};

std::string rightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::string denominationText(Denomination d) {
  static const char* const kText[5] = {"S", "H", "D", "C", "NT"};
  return kText[static_cast<std::size_t>(d)];
}

std::string declarersText(analysis::Declarers declarers) {
  static const char* const kText[6] = {"N", "E", "S", "W", "NS", "EW"};
  return kText[static_cast<std::size_t>(declarers)];
}

std::string contractText(const analysis::ParContract& c) {
  std::string text = std::to_string(c.level) + denominationText(c.denomination);
  if (c.undertricks > 0) return text + "X-" + std::to_string(c.undertricks);
  if (c.overtricks > 0) text += "+" + std::to_string(c.overtricks);
  return text;
}

std::string parScoreText(const analysis::Par& par) { return "NS " + std::to_string(par.score); }

std::string parContractsText(const analysis::Par& par) {
  if (par.contracts.empty()) return "Pass";
  std::string text;
  for (const analysis::ParContract& c : par.contracts) {
    if (!text.empty()) text += ", ";
    text += declarersText(c.declarers) + " " + contractText(c);
  }
  return text;
}

std::string doubleDummyTricks(const BoardAnalysis& a) {
  static const char kDigits[] = "0123456789abcd";
  std::string digits;
  for (Seat seat : kDeclarers) {
    for (Denomination d : kDenominations) digits += kDigits[a.tricksFor(seat, d) & 15];
  }
  return digits;
}

std::vector<std::string> optimumResultLines(const BoardAnalysis& a) {
  std::vector<std::string> lines;
  for (Seat seat : kDeclarers) {
    for (Denomination d : kDenominations) {
      lines.push_back(std::string(1, seatLetter(seat)) + " " + rightAligned(denominationText(d), 2) + " " +
                      rightAligned(std::to_string(a.tricksFor(seat, d)), 2));
    }
  }
  return lines;
}

std::vector<std::string> trickTableLines(const BoardAnalysis& a) {
  std::vector<std::string> lines = {"    NT  S  H  D  C"};
  for (Seat seat : kDeclarers) {
    std::string line = std::string(1, seatLetter(seat)) + " ";
    for (Denomination d : kDenominations) line += " " + rightAligned(std::to_string(a.tricksFor(seat, d)), 2);
    lines.push_back(line);
  }
  lines.push_back("Par: " + parScoreText(a.par) + ", " + parContractsText(a.par));
  return lines;
}

}  // namespace kveld::formats
