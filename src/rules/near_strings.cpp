#include "rules/near_strings.h"

#include <algorithm>
#include <utility>

#include "rules/control_string.h"
#include "rules/dealer.h"

namespace kveld {

namespace {

constexpr std::size_t kLength = 10;
// What may stand in a valid string; the check itself says where.
constexpr std::string_view kCharacters = "0123456789X";

}  // namespace

std::vector<NearString> nearStrings(std::string_view text) {
  std::string typed;
  for (char c : text)
    if (c != ' ') typed += c == 'x' ? 'X' : c;
  if (typed.size() != kLength || checkControlString(typed)) return {};

  std::vector<std::string> found;
  auto consider = [&found](const std::string& candidate) {
    if (checkControlString(candidate)) found.push_back(candidate);
  };
  for (std::size_t i = 0; i < kLength; ++i) {
    for (char c : kCharacters) {
      if (c == typed[i]) continue;
      std::string changed = typed;
      changed[i] = c;
      consider(changed);
    }
  }
  for (std::size_t i = 0; i + 1 < kLength; ++i) {
    if (typed[i] == typed[i + 1]) continue;
    std::string swapped = typed;
    std::swap(swapped[i], swapped[i + 1]);
    consider(swapped);
  }
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());

  std::vector<NearString> near;
  for (std::string& s : found) {
    const SetParameters params = decodeControlDigits(*checkControlString(s));
    near.push_back({std::move(s), params, SetDealer(params).deal(1, 1).front()});
  }
  return near;
}

std::string nearStringLine(const NearString& near) {
  std::string line = near.text + "  " + setTitle(near.params) + "  " + std::string(seatName(Seat::North));
  for (Suit suit : kSuits)
    line += std::string(" ") + suitLetter(suit) + " " +
            holdingText(near.boardOne.holding(Seat::North, suit), kVoidMark);
  return line;
}

}  // namespace kveld
