#include "batch/formats.h"

#include "rules/archive_text.h"

namespace kveld::batch {

namespace {

std::string nothing(const FormatContext&) { return {}; }

std::string archiveSet(const DealtSet& set, const FormatContext& context, int) {
  // The interactive program's own writer: the same bytes, CR LF included.
  return archiveText(context.tables, set.params, set.deals);
}

}  // namespace

const std::vector<Format>& formats() {
  static const std::vector<Format> list = {
      {"archive", ".txt", false, true, nothing, archiveSet, nothing},
      {"pbn", ".pbn", true, false, pbnBegin, pbnSet, nothing},
      {"text", ".txt", true, false, nothing, textSet, nothing},
      {"html", ".html", true, false, htmlBegin, htmlSet, htmlEnd},
  };
  return list;
}

const Format* findFormat(std::string_view name) {
  for (const Format& f : formats())
    if (f.name == name) return &f;
  return nullptr;
}

std::string formatNames() {
  std::string names;
  for (const Format& f : formats()) names += (names.empty() ? "" : ", ") + std::string(f.name);
  return names;
}

std::string fileNameOf(const Format& format, const SetParameters& params, const RuleTables& tables) {
  return archiveName(tables, params, "").baseName + std::string(format.extension);
}

std::string holdingOf(const DealStore& deals, int board, int seat, int suit, const RuleTables& tables) {
  const auto bits = static_cast<unsigned>(
      deals.board(board).cards[static_cast<std::size_t>(seat)][static_cast<std::size_t>(suit)]);
  std::string holding;
  for (std::size_t rank = 0; rank < tables.rankLetter.size(); ++rank)
    if ((bits >> rank) & 1u) holding += tables.rankLetter[rank];
  return holding;
}

}  // namespace kveld::batch
