#include "driver_text.h"

#include <cstdint>
#include <cstdio>
#include <map>

#include "encoding/cp437.h"

namespace driver {

std::wstring fromUtf8(const std::string& s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    char32_t c = b;
    int more = 0;
    if (b >= 0xF0) {
      c = b & 0x07u;
      more = 3;
    } else if (b >= 0xE0) {
      c = b & 0x0Fu;
      more = 2;
    } else if (b >= 0xC0) {
      c = b & 0x1Fu;
      more = 1;
    }
    ++i;
    for (; more > 0 && i < s.size(); --more, ++i) c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3Fu);
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (c >> 10));
      out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<wchar_t>(c);
    }
  }
  return out;
}

namespace {
std::map<std::wstring, std::wstring>& variables() {
  static std::map<std::wstring, std::wstring> defined;
  return defined;
}
}  // namespace

void defineVariable(const std::string& name, const std::wstring& value) {
  variables()[L"${" + fromUtf8(name) + L"}"] = value;
}

std::wstring expandVariables(std::wstring text) {
  for (const auto& [variable, value] : variables()) {
    for (auto at = text.find(variable); at != std::wstring::npos;
         at = text.find(variable, at + value.size())) {
      text.replace(at, variable.size(), value);
    }
  }
  return text;
}

std::string toUtf8(const std::wstring& w) {
  std::string out;
  for (wchar_t wc : w) kveld::appendUtf8(out, static_cast<char32_t>(wc));
  return out;
}

// A TEXT argument: optional quotes, escapes, UTF-8. \xNN is a code-page-437
// byte, given as the character the console shows for it.
std::wstring parseText(const std::string& raw) {
  std::string s = raw;
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  std::wstring out;
  std::string run;
  auto flush = [&] {
    out += fromUtf8(run);
    run.clear();
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      run += s[i];
      continue;
    }
    const char e = s[++i];
    if (e == 'x') {
      const std::string hex = s.substr(i + 1, 2);
      if (hex.size() != 2 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        throw ScriptError("bad \\x escape");
      }
      flush();
      const auto byte = static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16));
      out += static_cast<wchar_t>(kveld::cp437ToUnicode(byte));
      i += 2;
    } else if (e == 'r') {
      run += '\r';
    } else if (e == 'n') {
      run += '\n';
    } else if (e == 't') {
      run += '\t';
    } else {
      run += e;  // \\ and \" and anything else: the character itself
    }
  }
  flush();
  return expandVariables(out);
}

// The bytes of a file written or expected: \xNN is that byte, other
// characters are their code-page-437 byte.
std::string textBytes(const std::string& raw) {
  std::string out;
  for (wchar_t c : parseText(raw)) {
    const std::uint8_t b = kveld::unicodeToCp437(static_cast<char32_t>(c));
    out += static_cast<char>(c < 32 || c == 127 ? c : (b == 0 ? '?' : b));
  }
  return out;
}

std::string visible(const std::wstring& w) {
  std::string out;
  for (wchar_t c : w) {
    if (c < 32) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", static_cast<unsigned>(c));
      out += buf;
    } else {
      out += toUtf8(std::wstring(1, c));
    }
  }
  return out;
}

}  // namespace driver
