#pragma once
// The formats a set is read from and written in, as one table. A reader
// turns a file's bytes into sets, or refuses them with the reason; a writer
// turns a set into bytes (its beginning, each set, its end), or refuses a
// set that it cannot hold exactly. Nothing here reads or writes anything:
// the front ends put the bytes where they go.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/deal_set.h"

namespace kveld::formats {

struct FormatContext {
  std::string lineEnd;  // of the formats that follow the platform's
  std::string maker;    // the program and its version, for formats that name it: "kveld-batch 1.0.0"
};

// What a writer gives for one set: its bytes, or why it cannot hold the set.
struct Written {
  std::string bytes;
  std::string refusal;  // empty when written
};

// What a reader gives for one file: its sets, or why it cannot be read, with
// the board, line or record ("board 3: the ace of spades is held twice").
struct Read {
  std::vector<DealSet> sets;
  std::string refusal;  // empty when read
};

struct Format {
  std::string_view name;       // as --format takes it: "pbn"
  std::string_view label;      // as the page names its files: "PBN"
  std::string_view extension;  // of its files: ".pbn"
  std::string_view limits;     // what it holds, for --help and the page: "" when any set
  bool showsAnalysis = false;  // takes --analyse
  bool oneSetAFile = false;    // a file holds one set only
  // Whether bytes are in this format, by their content; null for formats
  // that are written only.
  std::function<bool(std::string_view bytes)> recognises;
  std::function<Read(std::string_view bytes)> read;
  std::function<std::string(const FormatContext&)> begin;
  // `index` counts the sets written since the beginning, from 0.
  std::function<Written(const DealSet&, const FormatContext&, int index)> set;
  std::function<std::string(const FormatContext&)> end;
};

// Every format, the default first.
const std::vector<Format>& formats();
// The format of that name, or nullptr.
const Format* findFormat(std::string_view name);
// "archive, pbn, lin, bri, dup, dlm, text, html".
std::string formatNames();
// The names of the formats that are read: "archive, pbn, lin, bri, dup, dlm".
std::string readableNames();

// One set as a whole file of the format: beginning, set and end.
Written fileOf(const Format& format, const DealSet& set, const FormatContext& context);

// The sets of a deal file, read in the format its content shows; a refusal
// when it is empty or in no format that is read.
Read readDealFile(std::string_view bytes);

// A beginning or end that writes nothing.
std::string nothing(const FormatContext&);

}  // namespace kveld::formats
