#pragma once
// The name and the bytes of a set's deal archive file: pure functions of the
// set, the deals and the tables.
#include <string>

#include "rules/rule_tables.h"
#include "rules/deal_store.h"
#include "rules/set_parameters.h"

namespace kveld {

struct ArchiveName {
  std::string baseName;  // "Jan-01-M"
  std::string fileName;  // "Jan-01-M.txt"
  std::string path;      // dfDirectory\DEALAR~1\Jan-01-M.txt
};

ArchiveName archiveName(const RuleTables& tables, const SetParameters& set, const std::string& dfDirectory);

// Lines of text ending in CR LF, with padding to a column.
class ArchiveLines {
 public:
  void put(const std::string& text);
  // Blanks until the next text begins at `column` (counted from 1); when the
  // line is already longer, the line is ended first.
  void tabTo(int column);
  void endLine();
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::size_t lineLength_ = 0;
};

// The heading line: "-- ", 8 blanks, "January 1, ", 5 blanks, "Morning".
std::string archiveHeader(const RuleTables& tables, const SetParameters& set);

// The whole file: the heading, then six lines for each board of the set.
std::string archiveText(const RuleTables& tables, const SetParameters& set, const DealStore& deals);

}  // namespace kveld
