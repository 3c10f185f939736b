#include "formats/pbn_scanner.h"

#include <algorithm>

namespace kveld::formats {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool isNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Ends an element of a section: a call, a card, a table's entry.
bool endsElement(char c) {
  return isBlank(c) || c == '\n' || c == '[' || c == ']' || c == '{' || c == ';' || c == '"';
}

}  // namespace

PbnToken PbnScanner::fault(int line, std::string what) {
  PbnToken t;
  t.kind = PbnToken::Kind::Error;
  t.line = line;
  t.fault = std::move(what);
  pos_ = bytes_.size();
  return t;
}

bool PbnScanner::passLineStart(bool& semiEmpty) {
  semiEmpty = false;
  std::size_t p = pos_;
  if (bytes_[p] != '%') {
    while (p < bytes_.size() && isBlank(bytes_[p])) ++p;
    if (p < bytes_.size() && bytes_[p] != '\n') return false;
    semiEmpty = true;
  }
  const std::size_t end = bytes_.find('\n', p);
  if (end == std::string_view::npos) {
    pos_ = bytes_.size();
  } else {
    pos_ = end + 1;
    ++line_;
  }
  return true;
}

bool PbnScanner::passSpaceInTag() {
  while (!atEnd()) {
    const char c = bytes_[pos_];
    if (isBlank(c)) {
      ++pos_;
    } else if (c == '\n') {
      ++pos_;
      ++line_;
      // An escape line may stand between a tag's tokens; a semi-empty
      // line may not.
      bool semiEmpty = false;
      while (!atEnd() && passLineStart(semiEmpty))
        if (semiEmpty) return false;
    } else {
      return true;
    }
  }
  return true;
}

bool PbnScanner::readString(std::string_view& value) {
  for (std::size_t p = pos_ + 1; p < bytes_.size(); ++p) {
    const char c = bytes_[p];
    if (c == '"') {
      value = bytes_.substr(pos_ + 1, p - pos_ - 1);
      pos_ = p + 1;
      return true;
    }
    if (c == '\n') return false;
    if (c == '\\' && p + 1 < bytes_.size() && (bytes_[p + 1] == '"' || bytes_[p + 1] == '\\')) ++p;
  }
  return false;
}

PbnToken PbnScanner::readTag() {
  const int from = line_;
  ++pos_;
  if (!passSpaceInTag()) return fault(from, "a tag has no closing bracket");
  const std::size_t start = pos_;
  while (!atEnd() && isNameChar(bytes_[pos_])) ++pos_;
  if (pos_ == start) return fault(from, "a tag has no name");
  const std::string_view fullName = bytes_.substr(start, pos_ - start);
  // A name is letters, digits and underscores: it can be shown as it is.
  const std::string_view name = fullName.substr(0, 40);
  if (!passSpaceInTag() || atEnd() || bytes_[pos_] != '"')
    return fault(from, "the tag " + std::string(name) + " has no string");
  PbnToken t;
  const int stringLine = line_;
  if (!readString(t.value)) return fault(stringLine, "a string is not closed");
  if (!passSpaceInTag() || atEnd() || bytes_[pos_] != ']')
    return fault(from, "the tag " + std::string(name) + " has no closing bracket");
  ++pos_;
  inGame_ = true;
  t.kind = PbnToken::Kind::Tag;
  t.name = fullName;
  t.line = from;
  return t;
}

PbnToken PbnScanner::next() {
  while (!atEnd()) {
    if (lineStart_) {
      bool semiEmpty = false;
      if (passLineStart(semiEmpty)) {
        if (semiEmpty && inGame_) {
          inGame_ = false;
          return {PbnToken::Kind::GameEnd, {}, {}, line_, {}};
        }
        continue;
      }
      lineStart_ = false;
    }
    const char c = bytes_[pos_];
    if (c == '\n') {
      ++pos_;
      ++line_;
      lineStart_ = true;
    } else if (isBlank(c)) {
      ++pos_;
    } else if (c == ';') {
      pos_ = std::min(bytes_.find('\n', pos_), bytes_.size());
    } else if (c == '{') {
      const std::size_t close = bytes_.find('}', pos_ + 1);
      if (close == std::string_view::npos) return fault(line_, "a comment is not closed");
      line_ += static_cast<int>(std::count(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                           bytes_.begin() + static_cast<std::ptrdiff_t>(close), '\n'));
      pos_ = close + 1;
    } else if (c == '[') {
      return readTag();
    } else if (c == '"') {
      // A string among a section's elements, as a table's entry.
      std::string_view skipped;
      if (!readString(skipped)) return fault(line_, "a string is not closed");
    } else {
      // An element of a section, or a stray character: passed over.
      ++pos_;
      while (!atEnd() && !endsElement(bytes_[pos_])) ++pos_;
    }
  }
  if (inGame_) {
    inGame_ = false;
    return {PbnToken::Kind::GameEnd, {}, {}, line_, {}};
  }
  return {};
}

std::string unescapedPbn(std::string_view value) {
  if (value.find('\\') == std::string_view::npos) return std::string(value);
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == '"' || value[i + 1] == '\\')) ++i;
    out += value[i];
  }
  return out;
}

}  // namespace kveld::formats
