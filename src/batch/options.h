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
  bool analyse = false;
  std::string format = "archive";
  std::optional<std::string> outputFolder;
  // What the sets come from, in the order given: control strings ("-" for
  // the lines of standard input) and deal files ("-" for standard input).
  struct Source {
    bool dealFile = false;
    std::string text;  // the control string or the file's path
  };
  std::vector<Source> sources;
};

struct ParsedOptions {
  Options options;
  std::string usageError;  // one sentence when the command line is wrong
};

// Reads the arguments (without the program name). Options may stand before,
// between and after the control strings; "--" ends them. Standard input
// may be read once only.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The text of --help.
std::string usageText(const std::string& lineEnd);

}  // namespace kveld::batch
