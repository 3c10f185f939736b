#include "formats/dup_screen.h"

#include <array>

namespace kveld::formats {

namespace {

constexpr std::array<char, 4> kSymbols = {kSpadeSymbol, '\x03', '\x04', '\x05'};
constexpr std::size_t kHandBytes = 17;

// The hand that 17 bytes show, or nothing when they show none.
std::optional<std::array<Holding, 4>> handShown(std::string_view bytes) {
  std::array<Holding, 4> hand{};
  std::size_t at = 0;
  for (std::size_t suit = 0; suit < kSymbols.size(); ++suit) {
    if (at >= bytes.size() || bytes[at] != kSymbols[suit]) return std::nullopt;
    const std::size_t from = ++at;
    while (at < bytes.size() && (suit + 1 == kSymbols.size() || bytes[at] != kSymbols[suit + 1])) ++at;
    const std::optional<Holding> holding = holdingOf(bytes.substr(from, at - from));
    if (!holding) return std::nullopt;
    hand[suit] = *holding;
  }
  return hand;
}

}  // namespace

std::string screenHands(const Board& board) {
  std::string out;
  for (Seat seat : kSeats)
    for (Suit suit : kSuits) out += kSymbols[indexOf(suit)] + holdingText(board.holding(seat, suit), "");
  return out;
}

std::string screenProblem(std::string_view screen, const Board& board) {
  if (screen.find_first_not_of(' ') == std::string_view::npos) return "";
  for (Seat seat : kSeats) {
    const std::optional<std::array<Holding, 4>> shown =
        handShown(screen.substr(indexOf(seat) * kHandBytes, kHandBytes));
    if (!shown) return std::string(seatName(seat)) + "'s hand for the machine's screen cannot be read";
    if (*shown != board.cards[indexOf(seat)])
      return std::string(seatName(seat)) + "'s hand for the machine's screen differs from the card numbers";
  }
  return "";
}

}  // namespace kveld::formats
