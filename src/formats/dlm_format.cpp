// DLM: the dealing machine's file of its Windows software, an INI text. The
// [Document] section names the set's boards (From board, To board, at most
// 99), a checksum of those words, and for every board 01 to 99 a line of
// the deal's letters; boards outside the set hold a fixed deal. Each board
// has the dealer and vulnerability its number gives.
#include "formats/dlm_deal.h"
#include "formats/formats.h"
#include "formats/numbered_run.h"

namespace kveld::formats {

Read readDlm(std::string_view bytes);

namespace {

const char* const kEnd = "\r\n";
const RunLimits kDlmRun{"DLM", false, 99};

std::string twoDigits(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

// The headline is one line of the file: control bytes become spaces.
std::string headline(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = ' ';
  return text;
}

Written dlmSet(const DealSet& set, const FormatContext&, int) {
  if (std::string refusal = runRefusal(set, kDlmRun); !refusal.empty()) return {"", refusal};
  const int from = set.boards.front().deal.number, to = set.boards.back().deal.number;
  constexpr int kDuplicates = 1, kShown = 1;
  const int checksum = kDuplicates ^ from ^ to ^ kShown;
  std::string out = std::string("[Document]") + kEnd;
  out += "Headline=" + headline(set.event) + kEnd;
  out += std::string("Status=Show") + kEnd;
  out += "Duplicates=" + std::to_string(kDuplicates) + kEnd;
  out += "From board=" + std::to_string(from) + kEnd;
  out += "To board=" + std::to_string(to) + kEnd;
  out += std::string("Next board to duplimate=0") + kEnd + "PrintOuts=0" + kEnd + "Crypto key=0" + kEnd;
  out += "Checksum=" + std::string(checksum < 100 ? "0" : "") + (checksum < 10 ? "0" : "") +
         std::to_string(checksum) + kEnd;
  for (int n = 1; n <= 99; ++n) {
    const std::string letters = n >= from && n <= to
                                    ? dealLetters(set.boards[static_cast<std::size_t>(n - from)].deal)
                                    : std::string(kFillerLetters);
    out += "Duplicates " + twoDigits(n) + "=0" + kEnd;
    out += "Board " + twoDigits(n) + "=" + boardLine(n, letters) + kEnd;
  }
  return {out, ""};
}

bool isDlm(std::string_view bytes) {
  constexpr std::string_view kSection = "[document]";
  if (bytes.size() < kSection.size()) return false;
  for (std::size_t i = 0; i < kSection.size(); ++i) {
    const char c = bytes[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kSection[i]) return false;
  }
  return true;
}

}  // namespace

Format dlmFormat() {
  return {"dlm",
          "DLM",
          ".dlm",
          "boards numbered one after another within 1 to 99, each with the dealer and "
          "vulnerability its number gives",
          false,
          true,
          isDlm,
          readDlm,
          nothing,
          dlmSet,
          nothing};
}

}  // namespace kveld::formats
