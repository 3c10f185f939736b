#include "formats/formats.h"

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

std::string fileNameOf(const Format& format, const SetParameters& params) {
  return archiveName(params, "").baseName + std::string(format.extension);
}

std::string setHeading(const SetParameters& params) {
  return setTitle(params) + ", " + std::to_string(params.boardCount) + " boards";
}

std::string archiveSet(const DealtSet& set, const FormatContext&, int) {
  // The interactive program's own writer, which reads the deal store: the
  // same bytes, CR LF included.
  return archiveText(archiveHeader(set.params), set.boards);
}

}  // namespace kveld::formats
