// Fuzzes the reading of setup's drive listing. The first byte picks the
// drive letter (itself when it is one of B to Z), the rest is the listing.
// Besides crashes and out-of-bounds reads it checks that at most ten
// installations are taken, that each is the folder in front of an archive
// folder ("\DEAL...") on a line of the chosen drive, and that its display
// form is the folder itself up to 60 characters, else its first 57
// characters and "...".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "encoding/ascii.h"
#include "rules/listing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  char letter = static_cast<char>(data[0]);
  if (letter < 'B' || letter > 'Z') letter = static_cast<char>('B' + data[0] % 25);
  const std::string driveSpec = std::string(1, letter) + ":";
  const std::string_view listing(reinterpret_cast<const char*>(data + 1), size - 1);
  const kveld::FoundInstallations found = kveld::parseListing(listing, driveSpec);

  if (found.count < 0 || found.count > 10) std::abort();
  const std::string upperListing = kveld::upperAscii(listing);
  for (int i = 1; i <= 10; ++i) {
    const std::string& path = found.path[static_cast<std::size_t>(i)];
    const std::string& shown = found.shown[static_cast<std::size_t>(i)];
    if (i > found.count) {
      if (!path.empty() || !shown.empty()) std::abort();
      continue;
    }
    if (path.size() <= 60 ? shown != path : shown != path.substr(0, 57) + "...") std::abort();
    // Each folder comes from a line of the listing that starts with the
    // drive: the part of the line in front of an archive folder's "\DEAL".
    if (path.compare(0, 2, driveSpec) != 0) std::abort();
    if (upperListing.find(kveld::upperAscii(path) + "\\DEAL") == std::string::npos) std::abort();
  }
  return 0;
}
