// Fuzzes every reader of deal files with arbitrary bytes. The first byte
// chooses a reader directly (so that each is driven past its recognition)
// or, when it names none, the reading by content. Besides crashes, hangs
// and out-of-bounds reads it checks what every accepted file must give:
// sets of full deals, each number once in a set, and the same boards again
// when a set is written in the format it was read from and read back.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "formats/formats.h"

namespace {

using namespace kveld;

void require(bool fact) {
  if (!fact) std::abort();
}

void checkFullDeal(const Board& b) {
  for (Suit suit : kSuits) {
    unsigned all = 0;
    for (Seat seat : kSeats) {
      const Holding h = b.holding(seat, suit);
      require((h & ~0x1FFFu) == 0 && (all & h) == 0);
      all |= h;
    }
    require(all == 0x1FFFu);
  }
  for (Seat seat : kSeats) {
    int cards = 0;
    for (Suit suit : kSuits) cards += std::popcount(b.holding(seat, suit));
    require(cards == 13);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto& table = formats::formats();
  const formats::Format* chosen = data[0] < table.size() && table[data[0]].read ? &table[data[0]] : nullptr;
  const formats::Read read = chosen ? chosen->read(bytes) : formats::readDealFile(bytes);
  require(read.refusal.empty() != read.sets.empty());
  for (const formats::DealSet& set : read.sets) {
    require(!set.boards.empty());
    std::set<int> numbers;
    for (const formats::SetBoard& b : set.boards) {
      require(numbers.insert(b.deal.number).second);
      checkFullDeal(b.deal);
    }
    if (chosen == nullptr) continue;
    const formats::Written w = formats::fileOf(*chosen, set, {"\r\n", "fuzz"});
    if (!w.refusal.empty()) continue;
    const formats::Read again = chosen->read(w.bytes);
    require(again.refusal.empty() && again.sets.size() == 1 && again.sets[0].boards == set.boards);
  }
  return 0;
}
