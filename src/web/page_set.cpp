#include "web/page_set.h"

#include <algorithm>

#include "formats/control_check.h"
#include "formats/formats.h"
#include "rules/dealer.h"

#ifndef KVELD_VERSION
#define KVELD_VERSION "0"
#endif

namespace kveld::web {

namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

}  // namespace

PageSet::PageSet(std::string_view text) : text_(text) {
  const formats::CheckedString checked = formats::checkString(text);
  if (!checked.params) {
    refusal_ = formats::refusal(text, checked.problem);
    return;
  }
  params_ = checked.params;
  boards_ = dealSet(*params_);
}

std::string PageSet::title() const { return setTitle(*params_); }

std::string PageSet::heading() const { return formats::setHeading(*params_); }

std::vector<analysis::BoardAnalysis> PageSet::solve(int first, int last) const {
  std::vector<Board> chosen;
  for (const Board& b : boards_)
    if (b.number >= first && b.number <= last) chosen.push_back(b);
  return analysis::analyseBoards(chosen);
}

std::vector<analysis::BoardAnalysis> PageSet::analysisOf(
    const std::vector<analysis::TrickTable>& tables) const {
  std::vector<analysis::BoardAnalysis> out;
  for (std::size_t i = 0; i < tables.size() && i < boards_.size(); ++i)
    out.push_back(analysis::analysisOf(boards_[i].number, tables[i]));
  return out;
}

std::string PageSet::archiveName() const {
  return formats::fileNameOf(*formats::findFormat("archive"), *params_);
}

std::string PageSet::archiveBytes() const { return written("archive", {}); }

std::string PageSet::pbnName() const {
  return formats::fileNameOf(*formats::findFormat("pbn"), *params_);
}

std::string PageSet::pbnBytes(const std::vector<analysis::BoardAnalysis>& analysis) const {
  return written("pbn", analysis);
}

std::string PageSet::handRecord(const std::vector<analysis::BoardAnalysis>& analysis) const {
  return written("html", analysis);
}

std::string PageSet::written(std::string_view formatName,
                             const std::vector<analysis::BoardAnalysis>& analysis) const {
  const formats::Format& format = *formats::findFormat(formatName);
  // A file's lines end as its format fixes them (CR LF for the archive and
  // the PBN); the others as on the web, in LF.
  const formats::FormatContext context{"\n", std::string(kCreator) + " " + KVELD_VERSION};
  const formats::DealtSet set{text_, *params_, boards_, analysis};
  return format.begin(context) + format.set(set, context, 0) + format.end(context);
}

std::string tricksText(const std::vector<analysis::BoardAnalysis>& boards) {
  std::string text;
  for (const analysis::BoardAnalysis& b : boards)
    for (const auto& seat : b.tricks)
      for (int tricks : seat) text += kHexDigits[static_cast<std::size_t>(std::clamp(tricks, 0, 13))];
  return text;
}

std::vector<analysis::TrickTable> tricksFrom(std::string_view text) {
  std::vector<analysis::TrickTable> tables;
  for (std::size_t at = 0; at + 20 <= text.size(); at += 20) {
    analysis::TrickTable t{};
    for (std::size_t i = 0; i < 20; ++i) {
      const std::size_t digit = kHexDigits.find(text[at + i]);
      t[i / 5][i % 5] = digit == std::string_view::npos ? 0 : static_cast<int>(digit);
    }
    tables.push_back(t);
  }
  return tables;
}

}  // namespace kveld::web
