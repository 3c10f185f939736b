#include "encoding/short_name.h"

#include <algorithm>
#include <cstdint>
#include <set>

#include "encoding/ascii.h"
#include "encoding/native_name.h"

namespace kveld {
namespace {

// Characters other than letters and digits that an 8.3 name may hold.
constexpr std::string_view kShortPunctuation = "!#$%&'()-@^_`{}~";

bool validInShortName(char c) {
  const auto b = static_cast<std::uint8_t>(c);
  if (b >= 0x80) return true;
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return kShortPunctuation.find(c) != std::string_view::npos;
}

char upperChar(char c) {
  switch (static_cast<std::uint8_t>(c)) {
    case 0x81: return static_cast<char>(0x9A);  // u umlaut
    case 0x82: return static_cast<char>(0x90);  // e acute
    case 0x84: return static_cast<char>(0x8E);  // a umlaut
    case 0x86: return static_cast<char>(0x8F);  // a ring
    case 0x87: return static_cast<char>(0x80);  // c cedilla
    case 0x91: return static_cast<char>(0x92);  // ae
    case 0x94: return static_cast<char>(0x99);  // o umlaut
    case 0xA4: return static_cast<char>(0xA5);  // n tilde
    default: return upperAscii(c);
  }
}

// One part of a long name as it goes into an alias.
std::string cleaned(std::string_view part) {
  std::string out;
  for (char c : part) {
    if (c == ' ' || c == '.') continue;
    out += validInShortName(c) ? upperChar(c) : '_';
  }
  return out;
}

}  // namespace

bool isShortName(std::string_view name) {
  const std::size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;  // a trailing dot
  return std::all_of(base.begin(), base.end(), validInShortName) &&
         std::all_of(ext.begin(), ext.end(), validInShortName);
}

std::string upperName(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = upperChar(c);
  return out;
}

AliasStem aliasStem(std::string_view name) {
  const std::size_t first = name.find_first_not_of('.');
  const std::string_view rest = first == std::string_view::npos ? std::string_view{} : name.substr(first);
  const std::size_t dot = rest.rfind('.');
  AliasStem stem;
  if (dot == std::string_view::npos) {
    stem.base = cleaned(rest);
  } else {
    stem.base = cleaned(rest.substr(0, dot));
    stem.ext = cleaned(rest.substr(dot + 1)).substr(0, 3);
  }
  if (stem.base.empty()) stem.base = "_";
  return stem;
}

std::string aliasName(const AliasStem& stem, int number) {
  const std::string tail = "~" + std::to_string(number);
  const std::size_t keep =
      std::min<std::size_t>({stem.base.size(), 6, 8 - std::min<std::size_t>(tail.size(), 7)});
  std::string alias = stem.base.substr(0, keep) + tail;
  if (!stem.ext.empty()) alias += "." + stem.ext;
  return alias;
}

std::vector<std::string> shortNames(const std::vector<std::string>& names,
                                    const std::vector<std::int64_t>& madeAt) {
  std::vector<std::string> result(names.size());
  std::set<std::string> taken;
  std::vector<std::size_t> longNames;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (isShortName(names[i])) {
      result[i] = upperName(names[i]);
      taken.insert(result[i]);
    } else {
      longNames.push_back(i);
    }
  }
  const auto made = [&](std::size_t i) { return i < madeAt.size() ? madeAt[i] : 0; };
  std::sort(longNames.begin(), longNames.end(), [&](std::size_t a, std::size_t b) {
    if (made(a) != made(b)) return made(a) < made(b);
    return nameOrderLess(names[a], names[b]);
  });
  for (std::size_t i : longNames) {
    const AliasStem stem = aliasStem(names[i]);
    for (int number = 1;; ++number) {
      std::string alias = aliasName(stem, number);
      if (taken.insert(alias).second) {
        result[i] = std::move(alias);
        break;
      }
    }
  }
  return result;
}

}  // namespace kveld
