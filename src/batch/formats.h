#pragma once
// The formats a set can be written in. A format turns dealt sets into bytes:
// its beginning, each set, its end. A file written into the output folder
// holds one set; standard output holds every set between one beginning and
// one end.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_tables.h"
#include "rules/deal_store.h"
#include "rules/set_parameters.h"

namespace kveld::batch {

// The double-dummy results of a set, for the formats that show them; known
// to the analysis and to those formats only.
struct SetAnalysis;

struct DealtSet {
  std::string controlString;
  SetParameters params;
  const DealStore& deals;
  const SetAnalysis* analysis = nullptr;
};

struct FormatContext {
  const RuleTables& tables;
  std::string lineEnd;  // of the formats that follow the platform's
  std::string version;  // of the program, for formats that name their maker
};

struct Format {
  std::string_view name;        // as --format takes it
  std::string_view extension;   // of its files: ".txt"
  bool showsAnalysis = false;   // takes --analyse
  bool needsHandLines = false;  // the texts of the hands in the deal store
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

// The file of a set in the output folder: "Jan-01-M" and the extension.
std::string fileNameOf(const Format& format, const SetParameters& params, const RuleTables& tables);

// The writers.
std::string pbnBegin(const FormatContext& context);
std::string pbnSet(const DealtSet& set, const FormatContext& context, int index);
std::string textSet(const DealtSet& set, const FormatContext& context, int index);
std::string htmlBegin(const FormatContext& context);
std::string htmlSet(const DealtSet& set, const FormatContext& context, int index);
std::string htmlEnd(const FormatContext& context);

// A holding as the formats write it: rank letters highest first, T for the
// ten, nothing for a void.
std::string holdingOf(const DealStore& deals, int board, int seat, int suit, const RuleTables& tables);

}  // namespace kveld::batch
