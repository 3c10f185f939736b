#pragma once
// The drive listing that setup searches for DeepFinesse installations.
#include <array>
#include <string>
#include <string_view>

namespace kveld {

// The most installations that setup offers.
constexpr int kMostInstallations = 10;

// Installation folders taken from a drive listing (entries 1..10).
struct FoundInstallations {
  int count = 0;
  std::array<std::string, 11> path{};   // full, as listed
  std::array<std::string, 11> shown{};  // cut to 57 characters and "..." beyond 60
};
// Reads the listing's lines (each ended by CR, an LF after it skipped, the
// text ending at the first Ctrl-Z) until the tenth installation or the first
// line that does not start with `driveSpec`. A line names an entry whose name
// begins with "DEAL" (in any case); the folder holding that entry is an
// installation. Other lines are passed over.
FoundInstallations parseListing(std::string_view listing, std::string_view driveSpec);

}  // namespace kveld
