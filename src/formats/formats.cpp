#include "formats/formats.h"

namespace kveld::formats {

// Each format's row, from the file of its reader and writer.
Format archiveFormat();
Format pbnFormat();
Format linFormat();
Format briFormat();
Format dupFormat();
Format dlmFormat();
Format textFormat();
Format htmlFormat();

std::string nothing(const FormatContext&) { return {}; }

const std::vector<Format>& formats() {
  static const std::vector<Format> list = {archiveFormat(), pbnFormat(), linFormat(), briFormat(),
                                             dupFormat(),     dlmFormat(), textFormat(), htmlFormat()};
  return list;
}

const Format* findFormat(std::string_view name) {
  for (const Format& f : formats())
    if (f.name == name) return &f;
  return nullptr;
}

namespace {

std::string namesOf(bool readableOnly) {
  std::string names;
  for (const Format& f : formats())
    if (!readableOnly || f.read) names += (names.empty() ? "" : ", ") + std::string(f.name);
  return names;
}

}  // namespace

std::string formatNames() { return namesOf(false); }

std::string readableNames() { return namesOf(true); }

Written fileOf(const Format& format, const DealSet& set, const FormatContext& context) {
  Written w = format.set(set, context, 0);
  if (w.refusal.empty()) w.bytes = format.begin(context) + w.bytes + format.end(context);
  return w;
}

Read readDealFile(std::string_view bytes) {
  if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) return {{}, "the file is empty"};
  for (const Format& f : formats())
    if (f.read && f.recognises(bytes)) return f.read(bytes);
  return {{}, "it is in no deal file format that is read (" + readableNames() + ")"};
}

}  // namespace kveld::formats
