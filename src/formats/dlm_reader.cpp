// The reading of a DLM file: the keys of its [Document] section, section
// and key names in any case, lines ended by CR LF or LF; the boards From
// board to To board, each line's checksum checked, and the file's checksum.
#include <algorithm>
#include <map>

#include "formats/dlm_deal.h"
#include "formats/formats.h"

namespace kveld::formats {

namespace {

struct Value {
  std::string text;
};
using Keys = std::map<std::string, Value>;  // by lower-case name

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The keys of the [Document] section, or the reason the section cannot be read.
std::string documentKeys(std::string_view bytes, Keys& keys) {
  bool inDocument = false;
  int line = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view text = bytes.substr(at, end - at);
    at = end + 1;
    ++line;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    text = trimmed(text);
    if (text.empty() || text[0] == ';') continue;
    if (text[0] == '[') {
      inDocument = lower(text) == "[document]";
      continue;
    }
    if (!inDocument) continue;
    const std::size_t equals = text.find('=');
    const std::string where = "line " + std::to_string(line) + ": ";
    if (equals == std::string_view::npos) return where + "it is neither a section nor a key with its value";
    const std::string name = lower(trimmed(text.substr(0, equals)));
    if (keys.contains(name))
      return where + "'" + std::string(trimmed(text.substr(0, equals))) + "' is given twice";
    keys[name] = {std::string(trimmed(text.substr(equals + 1)))};
  }
  return "";
}

// A number of at most six digits, or -1.
int numberOf(std::string_view text) {
  if (text.empty() || text.size() > 6) return -1;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

struct Words {
  int from = 0, to = 0, duplicates = 0, checksum = 0;
  bool shown = false;
};

std::string wordsOf(const Keys& keys, Words& w) {
  for (const char* name : {"status", "duplicates", "from board", "to board", "checksum"})
    if (!keys.contains(name)) return "the [Document] section has no line '" + std::string(name) + "='";
  if (const auto crypto = keys.find("crypto key"); crypto != keys.end() && crypto->second.text != "0")
    return "the boards are encrypted (Crypto key=" + crypto->second.text + "), which is not read";
  const std::string status = lower(keys.at("status").text);
  if (status != "show" && status != "sealed")
    return "the Status '" + keys.at("status").text + "' is neither Show nor Sealed";
  w.shown = status == "show";
  w.from = numberOf(keys.at("from board").text);
  w.to = numberOf(keys.at("to board").text);
  if (w.from < 1 || w.from > 99)
    return "From board '" + keys.at("from board").text + "' is not a board from 1 to 99";
  if (w.to < w.from || w.to > 99)
    return "To board '" + keys.at("to board").text + "' is not a board from " + std::to_string(w.from) +
           " to 99";
  w.duplicates = numberOf(keys.at("duplicates").text);
  if (w.duplicates < 0) return "Duplicates '" + keys.at("duplicates").text + "' is not a number";
  w.checksum = numberOf(keys.at("checksum").text);
  // Two ways of working out the file's checksum are in use; either is taken.
  const int show = w.shown ? 1 : 0;
  const int ofWords = w.duplicates ^ w.from ^ w.to ^ show, ofCount = (w.to - w.from + 1) ^ show;
  if (w.checksum != ofWords && w.checksum != ofCount)
    return "the file's Checksum=" + keys.at("checksum").text + " does not match its boards and status (" +
           std::to_string(ofWords) + (ofWords == ofCount ? "" : " or " + std::to_string(ofCount)) +
           " expected)";
  return "";
}

// The value of "<name> NN", NN the number in two digits (or one).
const Value* numbered(const Keys& keys, const std::string& name, int n) {
  for (const std::string& key :
       {name + (n < 10 ? " 0" : " ") + std::to_string(n), name + " " + std::to_string(n)})
    if (const auto found = keys.find(key); found != keys.end()) return &found->second;
  return nullptr;
}

std::string threeDigits(int n) {
  std::string text = std::to_string(n);
  return std::string(3 - std::min<std::size_t>(3, text.size()), '0') + text;
}

CheckedBoard boardOf(const Keys& keys, int n) {
  const Value* line = numbered(keys, "board", n);
  if (!line)
    return {std::nullopt,
            "the file has no line 'Board " + std::string(n < 10 ? "0" : "") + std::to_string(n) + "='"};
  const std::string_view text = line->text;
  if (text.size() != kDealLetters + 3) return {std::nullopt, "the deal is not 26 letters and 3 digits"};
  const std::string_view letters = text.substr(0, kDealLetters);
  // A letter outside a to p is named before the checksum is looked at.
  if (!std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'a' && c <= 'p'; }))
    return boardOfLetters(n, letters);
  // The board's Duplicates value may enter its checksum too.
  const Value* copies = numbered(keys, "duplicates", n);
  const int duplicates = copies ? numberOf(copies->text) : 0;
  const int given = numberOf(text.substr(kDealLetters)), sum = letterChecksum(n, letters);
  if (given != sum && (duplicates <= 0 || given != (sum ^ duplicates)))
    return {std::nullopt, "the checksum " + std::string(text.substr(kDealLetters)) +
                              " does not match the deal (" + threeDigits(sum) + " expected)"};
  return boardOfLetters(n, letters);
}

}  // namespace

Read readDlm(std::string_view bytes) {
  Keys keys;
  if (std::string problem = documentKeys(bytes, keys); !problem.empty()) return {{}, problem};
  Words w;
  if (std::string problem = wordsOf(keys, w); !problem.empty()) return {{}, problem};
  Read read;
  DealSet& set = read.sets.emplace_back();
  if (const auto title = keys.find("headline"); title != keys.end()) set.event = title->second.text;
  for (int n = w.from; n <= w.to; ++n) {
    const CheckedBoard checked = boardOf(keys, n);
    if (!checked.deal) return {{}, "board " + std::to_string(n) + ": " + checked.problem};
    set.boards.push_back(boardByNumber(*checked.deal));
  }
  return read;
}

}  // namespace kveld::formats
