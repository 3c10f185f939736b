// BRI: a dealing program's file of deals for the dealing machines. Each
// deal is the 78 digits of North's, East's and South's card numbers, padded
// to a record of 128 bytes with 32 spaces and 18 NUL bytes; an older form
// ends each deal's line with CR LF instead. No board number is stored: the
// deals are boards 1, 2, 3 ... in order, each with the dealer and
// vulnerability its number gives.
#include "formats/card_numbers.h"
#include "formats/formats.h"
#include "formats/numbered_run.h"

namespace kveld::formats {

namespace {

const RunLimits kBriRun{"BRI", true, 1 << 30};

Written briSet(const DealSet& set, const FormatContext&, int) {
  if (std::string refusal = runRefusal(set, kBriRun); !refusal.empty()) return {"", refusal};
  std::string out;
  for (const SetBoard& b : set.boards)
    out += cardDigits(b.deal) + std::string(32, ' ') + std::string(18, '\0');
  return {out, ""};
}

// A BRI file starts with a deal's card numbers; a DUP record, which starts
// in the same way, has its control bytes at offset 146.
bool isBri(std::string_view bytes) {
  if (!areCardNumbers(bytes)) return false;
  return bytes.size() <= 146 || (bytes[146] != 'Y' && bytes[146] != 'N');
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What may stand between deals: the record's padding of spaces and NUL
// bytes, line ends, and the end-of-file mark of old DOS files.
bool isPadding(char c) { return c == ' ' || c == '\0' || c == '\r' || c == '\n' || c == '\x1A'; }

Read readBri(std::string_view bytes) {
  Read read;
  DealSet& set = read.sets.emplace_back();
  std::size_t at = 0;
  for (int record = 1;; ++record) {
    while (at < bytes.size() && isPadding(bytes[at])) ++at;
    if (at == bytes.size()) break;
    const std::string where = "record " + std::to_string(record) + ": ";
    std::size_t digits = 0;
    while (digits < kCardDigits && at + digits < bytes.size() && isDigit(bytes[at + digits])) ++digits;
    if (digits < kCardDigits) {
      if (at + digits < bytes.size() && !isPadding(bytes[at + digits]))
        return {{}, where + shownByte(bytes[at + digits]) + " stands among the card numbers"};
      return {{}, where + "cut short (" + std::to_string(digits) + " of 78 digits)"};
    }
    const CheckedBoard checked = boardOfCardDigits(record, bytes.substr(at, kCardDigits));
    if (!checked.deal) return {{}, where + checked.problem};
    set.boards.push_back(boardByNumber(*checked.deal));
    at += kCardDigits;
    if (at < bytes.size() && !isPadding(bytes[at]) && !isDigit(bytes[at]))
      return {{}, where + shownByte(bytes[at]) + " follows the 78 digits"};
  }
  if (set.boards.empty()) return {{}, "the file holds no deal"};
  return read;
}

}  // namespace

Format briFormat() {
  return {"bri",   "BRI",  ".bri", "boards 1 to n, each with the dealer and vulnerability its number gives",
          false,   true,   isBri,  readBri,
          nothing, briSet, nothing};
}

}  // namespace kveld::formats
