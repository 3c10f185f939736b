#pragma once
// Setup: finds DeepFinesse on a drive the user names and writes the settings.
#include <array>
#include <string>
#include <string_view>

namespace kveld {
struct Program;

// Installation folders taken from a drive listing (entries 1..10).
struct FoundInstallations {
  int count = 0;
  std::array<std::string, 11> path{};   // full, as listed
  std::array<std::string, 11> shown{};  // cut to 57 characters and "..." beyond 60
};
FoundInstallations parseListing(std::string_view listing, std::string_view driveSpec);

void runSetup(Program& program);

}  // namespace kveld
