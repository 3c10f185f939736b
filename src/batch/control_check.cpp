#include "batch/control_check.h"

#include "rules/control_string.h"

namespace kveld::batch {

namespace {

constexpr int kDigits = 10;

std::string upperCased(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c == 'x') c = 'X';
  return upper;
}

std::string ordinal(int n) {
  static const char* const names[] = {"",      "first",   "second", "third", "fourth", "fifth",
                                      "sixth", "seventh", "eighth", "ninth", "tenth"};
  return n >= 1 && n <= 10 ? names[n] : std::to_string(n) + "th";
}

std::string characterName(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (c == '\t') return "a tab";
  if (u < 32 || u == 127) return "a control character";
  if (u >= 128) return "a character outside ASCII";
  return std::string("\"") + c + "\"";
}

// The first rule the text breaks, walking it as the check does.
std::string firstProblem(const std::string& text) {
  int count = 0;
  int sum = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (count == kDigits)
      return std::string(c == ' ' ? "a blank" : characterName(c)) + " follows the tenth digit";
    if (c == ' ') continue;
    if (c >= '0' && c <= '9') {
      ++count;
      sum += (11 - count) * (c - '0');
    } else if (c == 'X') {
      if (count != kDigits - 1)
        return "\"X\" stands as the " + ordinal(count + 1) + " digit; only the tenth (check) digit may be X";
      ++count;
      sum += 10;
    } else {
      return characterName(c) + " is not a digit";
    }
  }
  if (count == 0) return "it holds no digits";
  if (count < kDigits)
    return "it has " + std::to_string(count) + (count == 1 ? " digit" : " digits") + " instead of ten";
  if (sum % 11 != 0) return "the check digit does not fit the other nine digits (a typing error?)";
  return {};
}

}  // namespace

CheckedString checkString(std::string_view text, const RuleTables& tables) {
  const std::string typed = upperCased(text);
  CheckedString result;
  if (const auto digits = checkControlString(typed)) {
    result.params = decodeControlDigits(*digits, tables);
  } else {
    result.problem = firstProblem(typed);
    if (result.problem.empty()) result.problem = "it is not a control string";
  }
  return result;
}

std::string describeSet(const SetParameters& p, const RuleTables& t) {
  return t.monthName.at(static_cast<std::size_t>(p.monthNumber)) + " " + std::to_string(p.dayOfMonth) + ", " +
         t.sessionName.at(static_cast<std::size_t>(p.sessionNumber)) + ", " + std::to_string(p.boardCount) +
         " boards";
}

std::string printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return shown;
}

std::string refusal(std::string_view text, const std::string& problem) {
  return "\"" + printable(text) + "\" is not a valid control string: " + problem + ".";
}

}  // namespace kveld::batch
