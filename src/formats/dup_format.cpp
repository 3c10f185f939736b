// DUP: the dealing machine's file. Each deal is a record of 156 bytes: the
// 78 digits of a BRI deal, the four hands as the machine's screen shows
// them, and ten control bytes: random hands (Y or N), backwards counting
// (Y or N), the lowest board, the copies of each board and the highest
// board, each left-aligned and padded with spaces. The boards run from the
// lowest on, each with the dealer and vulnerability its number gives.
#include "formats/card_numbers.h"
#include "formats/dup_screen.h"
#include "formats/formats.h"
#include "formats/numbered_run.h"

namespace kveld::formats {

namespace {

constexpr std::size_t kRecord = 156;
constexpr std::size_t kControl = 146;  // where the ten control bytes start
const RunLimits kDupRun{"DUP", false, 999};

// A number left-aligned in `width` characters.
std::string field(int number, std::size_t width) {
  std::string text = std::to_string(number);
  return text + std::string(width - text.size(), ' ');
}

Written dupSet(const DealSet& set, const FormatContext&, int) {
  if (std::string refusal = runRefusal(set, kDupRun); !refusal.empty()) return {"", refusal};
  const std::string control =
      "YN" + field(set.boards.front().deal.number, 3) + "1 " + field(set.boards.back().deal.number, 3);
  std::string out;
  for (const SetBoard& b : set.boards) out += cardDigits(b.deal) + screenHands(b.deal) + control;
  return {out, ""};
}

bool isDup(std::string_view bytes) {
  if (bytes.size() <= kControl || !areCardNumbers(bytes)) return false;
  return (bytes[78] == kSpadeSymbol || bytes[78] == ' ') &&
         (bytes[kControl] == 'Y' || bytes[kControl] == 'N');
}

// A board number of a control field: digits, left-aligned, padded with
// spaces; -1 when it is none.
int fieldNumber(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  if (end == std::string_view::npos) return -1;
  int number = 0;
  for (std::size_t i = 0; i <= end; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

// Why the first record's control bytes do not number `count` records, or "".
std::string controlProblem(std::string_view control, int count, int& lowest) {
  const std::string where = "record 1: ";
  if (control[1] == 'Y')
    return where + "the boards are to be counted backwards, an order of records that is not read";
  if (control[1] != 'N') return where + "the byte for backwards counting is neither Y nor N";
  lowest = fieldNumber(control.substr(2, 3));
  if (lowest < 1) return where + "the lowest board is not a number from 1 to 999";
  const int highest = fieldNumber(control.substr(7, 3));
  const int last = lowest + count - 1;
  if (last > 999)
    return "the boards run from " + std::to_string(lowest) + " to " + std::to_string(last) + ", above 999";
  if (highest != last && highest != count)
    return where + "the highest board is given as '" + std::string(control.substr(7, 3)) + "', but " +
           std::to_string(count) + " records from board " + std::to_string(lowest) + " end at board " +
           std::to_string(last);
  return "";
}

// Later records repeat the first record's control bytes, or leave them
// blank (NUL bytes or spaces).
bool isBlank(std::string_view text) {
  return text.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos;
}

Read readDup(std::string_view bytes) {
  const std::size_t whole = bytes.size() / kRecord;
  if (bytes.size() % kRecord != 0)
    return {{},
            "record " + std::to_string(whole + 1) + ": cut short (" + std::to_string(bytes.size() % kRecord) +
                " of 156 bytes)"};
  if (whole == 0) return {{}, "the file holds no record"};
  const int count = static_cast<int>(whole);
  int lowest = 0;
  const std::string_view control = bytes.substr(kControl, 10);
  if (std::string problem = controlProblem(control, count, lowest); !problem.empty()) return {{}, problem};
  Read read;
  DealSet& set = read.sets.emplace_back();
  for (int i = 0; i < count; ++i) {
    const std::string_view record = bytes.substr(static_cast<std::size_t>(i) * kRecord, kRecord);
    const std::string where = "record " + std::to_string(i + 1) + ": ";
    const std::string_view own = record.substr(kControl, 10);
    if (own != control && !isBlank(own))
      return {{}, where + "its control bytes differ from the first record's"};
    const int number = lowest + i;
    const CheckedBoard checked = boardOfCardDigits(number, record.substr(0, kCardDigits));
    if (!checked.deal) return {{}, "board " + std::to_string(number) + ": " + checked.problem};
    if (std::string problem = screenProblem(record.substr(kCardDigits, kScreenBytes), *checked.deal);
        !problem.empty())
      return {{}, "board " + std::to_string(number) + ": " + problem};
    set.boards.push_back(boardByNumber(*checked.deal));
  }
  return read;
}

}  // namespace

Format dupFormat() {
  return {"dup",
          "DUP",
          ".dup",
          "boards numbered one after another within 1 to 999, each with the dealer and "
          "vulnerability its number gives",
          false,
          true,
          isDup,
          readDup,
          nothing,
          dupSet,
          nothing};
}

}  // namespace kveld::formats
