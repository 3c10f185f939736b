#pragma once
// The command line of kveld-batch.
#include <optional>
#include <string>
#include <vector>

namespace kveld::batch {

struct Options {
  bool check = false;
  bool quiet = false;
  bool help = false;
  bool version = false;
  std::string format = "archive";
  std::optional<std::string> outputFolder;
  // Control strings in order; "-" stands for the lines of standard input.
  std::vector<std::string> strings;
};

struct ParsedOptions {
  Options options;
  std::string usageError;  // one sentence when the command line is wrong
};

// Reads the arguments (without the program name). Options may stand before,
// between and after the control strings; "--" ends them.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The text of --help.
std::string usageText(const std::string& lineEnd);

}  // namespace kveld::batch
