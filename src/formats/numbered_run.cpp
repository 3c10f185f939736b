#include "formats/numbered_run.h"

namespace kveld::formats {

namespace {

std::string boardText(int number) { return "board " + std::to_string(number); }

}  // namespace

std::string runRefusal(const DealSet& set, const RunLimits& limits) {
  const std::string file = "a " + std::string(limits.label) + " file";
  if (set.boards.empty()) return file + " cannot hold a set of no boards";
  const int first = set.boards.front().deal.number;
  const int count = static_cast<int>(set.boards.size());
  for (int i = 0; i < count; ++i) {
    const int number = set.boards[static_cast<std::size_t>(i)].deal.number;
    if (limits.fromOne && number != i + 1)
      return "the boards are not numbered 1 to " + std::to_string(count) + " in order, as " + file +
             " numbers them";
    if (number != first + i)
      return boardText(number) + " follows " + boardText(first + i - 1) + ", but " + file +
             " holds boards numbered one after another";
    if (number < 1) return boardText(number) + " is below 1, the lowest board " + file + " holds";
    if (number > limits.highest)
      return boardText(number) + " is above " + std::to_string(limits.highest) + ", the highest board " +
             file + " holds";
  }
  for (const SetBoard& b : set.boards) {
    const int n = b.deal.number;
    if (b.dealer != dealerOf(n))
      return boardText(n) + "'s dealer is " + std::string(seatName(b.dealer)) + ", but " + file + " gives " +
             boardText(n) + " the dealer its number implies (" + std::string(seatName(dealerOf(n))) + ")";
    if (b.vulnerability != vulnerabilityOf(n))
      return boardText(n) + "'s vulnerability is " + std::string(vulnerabilityWords(b.vulnerability)) +
             ", but " + file + " gives " + boardText(n) + " the vulnerability its number implies (" +
             std::string(vulnerabilityWords(vulnerabilityOf(n))) + ")";
  }
  return "";
}

std::string shownByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7F) return "'" + std::string(1, c) + "'";
  constexpr std::string_view kHex = "0123456789ABCDEF";
  return std::string("byte 0x") + kHex[static_cast<std::size_t>(u >> 4)] +
         kHex[static_cast<std::size_t>(u & 15)];
}

}  // namespace kveld::formats
