#include "rules/listing.h"

#include <algorithm>

#include "encoding/ascii.h"

namespace kveld {

namespace {

constexpr std::size_t kShownLength = 60;

bool startsWithDeal(std::string_view name) {
  constexpr std::string_view kDeal = "DEAL";
  if (name.size() < kDeal.size()) return false;
  for (std::size_t i = 0; i < kDeal.size(); ++i)
    if (upperAscii(name[i]) != kDeal[i]) return false;
  return true;
}

std::string shownForm(const std::string& path) {
  return path.size() <= kShownLength ? path : path.substr(0, kShownLength - 3) + "...";
}

}  // namespace

FoundInstallations parseListing(std::string_view listing, std::string_view driveSpec) {
  FoundInstallations found;
  const std::size_t end = std::min(listing.find('\x1a'), listing.size());
  std::size_t pos = 0;
  while (pos < end && found.count < kMostInstallations) {
    const std::size_t lineEnd = std::min(listing.find('\r', pos), end);
    const std::string_view line = listing.substr(pos, lineEnd - pos);
    pos = lineEnd < end ? lineEnd + 1 : end;
    if (pos < end && listing[pos] == '\n') ++pos;

    if (line.substr(0, 2) != driveSpec) break;
    const std::size_t slash = line.rfind('\\');
    if (slash == std::string_view::npos || !startsWithDeal(line.substr(slash + 1))) continue;
    ++found.count;
    const auto n = static_cast<std::size_t>(found.count);
    found.path[n] = std::string(line.substr(0, slash));
    found.shown[n] = shownForm(found.path[n]);
  }
  return found;
}

}  // namespace kveld
