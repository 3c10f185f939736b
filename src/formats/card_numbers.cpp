#include "formats/card_numbers.h"

#include "formats/numbered_run.h"

namespace kveld::formats {

namespace {

constexpr std::array<Seat, 3> kGiven = {Seat::North, Seat::East, Seat::South};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number of the pair at `at`, or -1 when it is not two digits.
int pairAt(std::string_view digits, std::size_t at) {
  if (!isDigit(digits[at]) || !isDigit(digits[at + 1])) return -1;
  return (digits[at] - '0') * 10 + (digits[at + 1] - '0');
}

}  // namespace

std::string cardDigits(const Board& board) {
  std::string out;
  for (Seat seat : kGiven)
    for (Suit suit : kSuits)
      for (int rank = 0; rank < kRanks; ++rank) {
        if ((board.holding(seat, suit) >> rank & 1u) == 0) continue;
        const int number = static_cast<int>(indexOf(suit)) * kRanks + rank + 1;
        out += static_cast<char>('0' + number / 10);
        out += static_cast<char>('0' + number % 10);
      }
  return out;
}

bool areCardNumbers(std::string_view digits) {
  if (digits.size() < kCardDigits) return false;
  for (std::size_t at = 0; at < kCardDigits; at += 2) {
    const int number = pairAt(digits, at);
    if (number < 1 || number > 52) return false;
  }
  return true;
}

CheckedBoard boardOfCardDigits(int number, std::string_view digits) {
  if (digits.size() != kCardDigits) return {std::nullopt, "the deal is not 78 digits"};
  GivenHands given;
  std::array<Holding, 4> held{};  // by suit, to name a card given twice
  for (std::size_t h = 0; h < kGiven.size(); ++h) {
    std::array<Holding, 4> hand{};
    for (std::size_t c = 0; c < 13; ++c) {
      const std::size_t at = (h * 13 + c) * 2;
      const int card = pairAt(digits, at);
      if (card < 0)
        return {std::nullopt, shownByte(isDigit(digits[at]) ? digits[at + 1] : digits[at]) +
                                  " stands among the card numbers"};
      if (card < 1 || card > 52)
        return {std::nullopt, "card number " + std::string(digits.substr(at, 2)) + " is outside 01 to 52"};
      const auto suit = static_cast<std::size_t>((card - 1) / kRanks);
      const int rank = (card - 1) % kRanks;
      const auto bit = static_cast<Holding>(1u << rank);
      if (held[suit] & bit) return {std::nullopt, cardName(kSuits[suit], rank) + " is held twice"};
      held[suit] = static_cast<Holding>(held[suit] | bit);
      hand[suit] = static_cast<Holding>(hand[suit] | bit);
    }
    given.hands[indexOf(kGiven[h])] = hand;
  }
  return checkedBoard(number, given);
}

}  // namespace kveld::formats
