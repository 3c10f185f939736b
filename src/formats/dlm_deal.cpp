#include "formats/dlm_deal.h"

#include "formats/numbered_run.h"

namespace kveld::formats {

namespace {

std::string threeDigits(int n) {
  return {static_cast<char>('0' + n / 100 % 10), static_cast<char>('0' + n / 10 % 10),
          static_cast<char>('0' + n % 10)};
}

}  // namespace

std::string dealLetters(const Board& board) {
  std::array<int, 52> owner{};
  for (Seat seat : kSeats)
    for (Suit suit : kSuits)
      for (int rank = 0; rank < kRanks; ++rank)
        if (board.holding(seat, suit) >> rank & 1u)
          owner[indexOf(suit) * 13 + static_cast<std::size_t>(rank)] = static_cast<int>(indexOf(seat));
  std::string letters;
  for (std::size_t card = 0; card < owner.size(); card += 2)
    letters += static_cast<char>('a' + 4 * owner[card] + owner[card + 1]);
  return letters;
}

int letterChecksum(int number, std::string_view letters) {
  int sum = number;
  for (char c : letters) sum ^= static_cast<unsigned char>(c);
  return sum;
}

std::string boardLine(int number, std::string_view letters) {
  return std::string(letters) + threeDigits(letterChecksum(number, letters));
}

CheckedBoard boardOfLetters(int number, std::string_view letters) {
  if (letters.size() != kDealLetters) return {std::nullopt, "the deal is not 26 letters"};
  std::array<std::array<Holding, 4>, 4> hands{};  // [seat][suit]
  for (std::size_t i = 0; i < kDealLetters; ++i) {
    const char c = letters[i];
    if (c < 'a' || c > 'p') return {std::nullopt, "the letter " + shownByte(c) + " is outside a to p"};
    const int code = c - 'a';
    for (std::size_t card = 2 * i; card < 2 * i + 2; ++card) {
      const auto seat = static_cast<std::size_t>(card == 2 * i ? code / 4 : code % 4);
      hands[seat][card / 13] = static_cast<Holding>(hands[seat][card / 13] | 1u << (card % 13));
    }
  }
  GivenHands given;
  for (Seat seat : kSeats) given.hands[indexOf(seat)] = hands[indexOf(seat)];
  return checkedBoard(number, given);
}

}  // namespace kveld::formats
