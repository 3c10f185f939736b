// Prints the boards that our readers take from a deal file, one a line:
// "3 S EW N:KJ8.KJ5.KQJT95.5 Q63.97.A763.A732 AT52.T2.842.QJT4 974.AQ8643..K986"
// (number, dealer, vulnerability, hands clockwise from North), with a line
// "set EVENT" before each set; the refusal on standard error.
// Usage: deal_lines FILE
#include <fstream>
#include <iostream>
#include <sstream>

#include "formats/formats.h"

int main(int argc, char** argv) {
  using namespace kveld;
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const formats::Read read = formats::readDealFile(bytes.str());
  if (!read.refusal.empty()) {
    std::cerr << read.refusal << "\n";
    return 1;
  }
  for (const formats::DealSet& set : read.sets) {
    std::cout << "set " << set.event << "\n";
    for (const formats::SetBoard& b : set.boards) {
      std::cout << b.deal.number << ' ' << seatLetter(b.dealer) << ' ' << vulnerabilityTag(b.vulnerability) << " N:";
      for (Seat seat : kSeats) {
        if (seat != Seat::North) std::cout << ' ';
        for (Suit suit : kSuits) std::cout << (suit == Suit::Spades ? "" : ".") << holdingText(b.deal.holding(seat, suit), "");
      }
      std::cout << "\n";
    }
  }
  return 0;
}
