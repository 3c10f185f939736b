#pragma once
// The name and the bytes of a set's deal archive file: pure functions of the
// set and its boards.
#include <span>
#include <string>
#include <string_view>

#include "rules/deal_store.h"
#include "rules/set_parameters.h"

namespace kveld {

// DeepFinesse's deal archive folder, by the 8.3 name the system gives it.
constexpr std::string_view kArchiveFolderName = "DEALAR~1";

struct ArchiveName {
  std::string baseName;  // "Jan-01-M"
  std::string fileName;  // "Jan-01-M.txt"
  std::string path;      // dfDirectory\DEALAR~1\Jan-01-M.txt
};

ArchiveName archiveName(const SetParameters& set, const std::string& dfDirectory);

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

// The heading line of a dated set: "-- ", 8 blanks, "January 1, ", 5
// blanks, "Morning".
std::string archiveHeader(const SetParameters& set);
// The heading line of a set with words of its own: "-- ", 8 blanks, the
// date ("March 5, 2024"), 5 blanks, the title.
std::string archiveHeader(std::string_view date, std::string_view title);

// The whole file: the heading line between two rules, then six lines for
// each board, in the order given.
std::string archiveText(std::string_view heading, std::span<const Board> boards);

}  // namespace kveld
