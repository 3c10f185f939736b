#include "formats/analysis_text.h"

#include <array>

namespace kveld::formats {

using analysis::BoardAnalysis;
using analysis::Denomination;

namespace {

constexpr std::string_view kDigits = "0123456789abcd";

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

std::string doubleDummyTricks(const BoardAnalysis& a) { return doubleDummyTricks(a.tricks); }

std::string doubleDummyTricks(const analysis::TrickTable& tricks) {
  std::string digits;
  for (Seat seat : kDeclarerOrder) {
    for (Denomination d : kDenominationOrder) {
      const int n = tricks[indexOf(seat)][static_cast<std::size_t>(d)];
      digits += kDigits[static_cast<std::size_t>(n < 0 || n > 13 ? 0 : n)];
    }
  }
  return digits;
}

std::optional<analysis::TrickTable> tricksFromDigits(std::string_view digits) {
  if (digits.size() != 20) return std::nullopt;
  analysis::TrickTable t{};
  std::size_t i = 0;
  for (Seat seat : kDeclarerOrder) {
    for (Denomination d : kDenominationOrder) {
      const char c = digits[i++];
      const std::size_t n = kDigits.find(c >= 'A' && c <= 'D' ? static_cast<char>(c - 'A' + 'a') : c);
      if (n == std::string_view::npos) return std::nullopt;
      t[indexOf(seat)][static_cast<std::size_t>(d)] = static_cast<int>(n);
    }
  }
  return t;
}

std::vector<std::string> optimumResultLines(const BoardAnalysis& a) {
  std::vector<std::string> lines;
  for (Seat seat : kDeclarerOrder) {
    for (Denomination d : kDenominationOrder) {
      lines.push_back(std::string(1, seatLetter(seat)) + " " + rightAligned(denominationText(d), 2) + " " +
                      rightAligned(std::to_string(a.tricksFor(seat, d)), 2));
    }
  }
  return lines;
}

std::vector<std::string> trickTableLines(const BoardAnalysis& a) {
  std::vector<std::string> lines = {"    NT  S  H  D  C"};
  for (Seat seat : kDeclarerOrder) {
    std::string line = std::string(1, seatLetter(seat)) + " ";
    for (Denomination d : kDenominationOrder) line += " " + rightAligned(std::to_string(a.tricksFor(seat, d)), 2);
    lines.push_back(line);
  }
  lines.push_back("Par: " + parScoreText(a.par) + ", " + parContractsText(a.par));
  return lines;
}

}  // namespace kveld::formats
