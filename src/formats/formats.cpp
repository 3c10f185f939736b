#include "formats/formats.h"

#include <memory>

#include "rules/archive_text.h"
#include "rules/dealer.h"

namespace kveld::formats {

namespace {

std::string nothing(const FormatContext&) { return {}; }

}  // namespace

const std::vector<Format>& formats() {
  static const std::vector<Format> list = {
      {"archive", ".txt", false, nothing, archiveSet, nothing},
      {"pbn", ".pbn", true, pbnBegin, pbnSet, nothing},
      {"text", ".txt", true, nothing, textSet, nothing},
      {"html", ".html", true, htmlBegin, htmlSet, htmlEnd},
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

std::string setHeading(const SetParameters& params, const RuleTables& tables) {
  return setTitle(params, tables) + ", " + std::to_string(params.boardCount) + " boards";
}

std::string archiveSet(const DealtSet& set, const FormatContext& context, int) {
  // The interactive program's own writer, which reads the deal store: the
  // boards go into one, with their texts, so that the bytes are the same,
  // CR LF included.
  auto store = std::make_unique<DealStore>();
  for (const Board& board : set.boards) {
    if (board.number < 1 || board.number > kMaxBoards) continue;
    const auto n = static_cast<std::size_t>(board.number);
    for (Seat seat : kSeats)
      for (Suit suit : kSuits)
        store->handBits[n][indexOf(seat)][indexOf(suit)] =
            static_cast<std::int16_t>(board.holding(seat, suit));
    describeBoard(*store, board.number, context.tables);
  }
  return archiveText(context.tables, set.params, *store);
}

}  // namespace kveld::formats
