// Sets as LIN files, one board a line as the hand viewer's own single
// boards are: the room and number, the deal from South with the dealer's
// digit, the label "Board N" and the vulnerability, CR LF line ends. All
// four hands are written and every suit letter stands, a void's too, so
// that no reader has to complete a hand. The file has no header: the set's
// event is not written.
#include "formats/formats.h"

namespace kveld::formats {

// The reader's side, in lin_reader.cpp.
bool isLin(std::string_view bytes);
Read readLin(std::string_view bytes);

namespace {

// The dealer's digit and the order of the hands: South, West, North, East.
constexpr std::array<Seat, 4> kLinSeats = {Seat::South, Seat::West, Seat::North, Seat::East};

char dealerDigit(Seat dealer) {
  for (std::size_t i = 0; i < kLinSeats.size(); ++i)
    if (kLinSeats[i] == dealer) return static_cast<char>('1' + i);
  return '1';
}

// "SAKQ9HJ6D83CT9852": the ranks of each suit high to low after its letter.
std::string handText(const Board& board, Seat seat) {
  std::string hand;
  for (Suit suit : kSuits) hand += suitLetter(suit) + holdingText(board.holding(seat, suit), "");
  return hand;
}

char vulnerabilityLetter(Vulnerability v) { return "oneb"[static_cast<std::size_t>(v)]; }

Written linSet(const DealSet& set, const FormatContext&, int) {
  std::string out;
  for (const SetBoard& b : set.boards) {
    const std::string number = std::to_string(b.deal.number);
    out += "qx|o" + number + "|md|" + dealerDigit(b.dealer);
    for (Seat seat : kLinSeats) out += handText(b.deal, seat) + (seat == kLinSeats.back() ? "" : ",");
    out += "|rh||ah|Board " + number + "|sv|" + vulnerabilityLetter(b.vulnerability) + "|pg||\r\n";
  }
  return {out, ""};
}

}  // namespace

Format linFormat() {
  return {"lin", "LIN", ".lin", "", false, true, isLin, readLin, nothing, linSet, nothing};
}

}  // namespace kveld::formats
