#pragma once
// The formats a set can be written in. A format turns dealt sets into bytes:
// its beginning, each set, its end. A file holds one set; a stream may hold
// every set between one beginning and one end. Nothing here reads or writes
// anything: the front ends put the bytes where they go.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/double_dummy.h"
#include "rules/board.h"
#include "rules/set_parameters.h"

namespace kveld::formats {

struct DealtSet {
  std::string controlString;  // a valid one, as it was given ("123456789x")
  SetParameters params;
  std::span<const Board> boards;                      // Boards 1..params.boardCount
  std::span<const analysis::BoardAnalysis> analysis;  // the same boards', or none

  // The analysis of boards[i], or nullptr when the set was not analysed.
  const analysis::BoardAnalysis* analysisOf(std::size_t i) const {
    return i < analysis.size() ? &analysis[i] : nullptr;
  }
};

struct FormatContext {
  std::string lineEnd;  // of the formats that follow the platform's
  std::string maker;    // the program and its version, for formats that name it: "kveld-batch 1.0.0"
};

struct Format {
  std::string_view name;       // as --format takes it
  std::string_view extension;  // of its files: ".txt"
  bool showsAnalysis = false;  // takes --analyse
  std::function<std::string(const FormatContext&)> begin;
  // `index` counts the sets written since the beginning, from 0.
  std::function<std::string(const DealtSet&, const FormatContext&, int index)> set;
  std::function<std::string(const FormatContext&)> end;
};

// Every format, the default first.
const std::vector<Format>& formats();
// The format of that name, or nullptr.
const Format* findFormat(std::string_view name);
// "archive, pbn, text, html".
std::string formatNames();

// The file of a set: "Jan-01-M" and the extension.
std::string fileNameOf(const Format& format, const SetParameters& params);

// The heading of a set: "January 1, Morning, 24 boards".
std::string setHeading(const SetParameters& params);

// The writers.
std::string archiveSet(const DealtSet& set, const FormatContext& context, int index);
std::string pbnBegin(const FormatContext& context);
std::string pbnSet(const DealtSet& set, const FormatContext& context, int index);
std::string textSet(const DealtSet& set, const FormatContext& context, int index);
std::string htmlBegin(const FormatContext& context);
std::string htmlSet(const DealtSet& set, const FormatContext& context, int index);
std::string htmlEnd(const FormatContext& context);

}  // namespace kveld::formats
