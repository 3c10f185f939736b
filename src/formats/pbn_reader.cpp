// PBN read as import format allows it, in one pass: the tags that carry a
// board (Event, Site, Date, Board, Dealer, Vulnerable, Deal) are taken, with
// "#" and "##" inheritance; every other tag and section is passed over.
#include "formats/pbn_reader.h"

#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "formats/file_text.h"
#include "formats/pbn_scanner.h"

namespace kveld::formats {

namespace {

enum Field : std::size_t { kEvent, kSite, kDate, kBoard, kDealer, kVulnerable, kDeal, kFields };

// The tags a board is read from; names are case-sensitive.
std::optional<Field> fieldOf(std::string_view name) {
  constexpr std::array<std::string_view, kFields> kNames = {"Event",  "Site",       "Date", "Board",
                                                            "Dealer", "Vulnerable", "Deal"};
  for (std::size_t f = 0; f < kFields; ++f)
    if (name == kNames[f]) return static_cast<Field>(f);
  return std::nullopt;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool isNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

// A value as a refusal quotes it: short, printable ASCII.
std::string shown(std::string_view value) {
  std::string out;
  for (char c : value.substr(0, 30)) out += c >= ' ' && c <= '~' ? c : '?';
  return "\"" + out + (value.size() > 30 ? "...\"" : "\"");
}

// The words of an event, site or date as kept: control bytes as spaces,
// trimmed, "?" (unknown) as nothing.
std::string keptText(std::string_view value) {
  std::string out(trimmed(value));
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return out == "?" ? "" : out;
}

std::optional<Seat> seatOf(std::string_view letter) {
  if (letter.size() != 1) return std::nullopt;
  const std::size_t at = std::string_view("NESW").find(upper(letter[0]));
  if (at == std::string_view::npos) return std::nullopt;
  return kSeats[at];
}

std::optional<Vulnerability> vulnerabilityOfTag(std::string_view value) {
  using enum Vulnerability;
  if (sameLetters(value, "None") || sameLetters(value, "Love") || value == "-") return None;
  if (sameLetters(value, "NS")) return NorthSouth;
  if (sameLetters(value, "EW")) return EastWest;
  if (sameLetters(value, "All") || sameLetters(value, "Both")) return Both;
  return std::nullopt;
}

// Rank index of a rank letter, either case; -1 for any other byte.
constexpr std::array<std::int8_t, 256> kRankOf = [] {
  std::array<std::int8_t, 256> table{};
  table.fill(-1);
  constexpr std::string_view letters = "AKQJT98765432";
  for (std::size_t r = 0; r < letters.size(); ++r) {
    const auto letter = static_cast<unsigned char>(letters[r]);
    table[letter] = static_cast<std::int8_t>(r);
    if (letter > '9') table[letter + ('a' - 'A')] = static_cast<std::int8_t>(r);
  }
  return table;
}();

Seat nextSeat(Seat seat) { return kSeats[(indexOf(seat) + 1) % 4]; }

// The hands of a Deal tag, "W:KT.KJ84.AQT96.J8 - ...", clockwise from its
// first seat, ranks in any order; or the reason they cannot be read.
std::string handsOf(std::string_view deal, GivenHands& given) {
  deal = trimmed(deal);
  const std::optional<Seat> first = deal.size() >= 2 && deal[1] == ':' ? seatOf(deal.substr(0, 1)) : std::nullopt;
  if (!first) return "the deal " + shown(deal) + " does not begin with a seat and a colon";
  Seat seat = *first;
  std::size_t pos = 2;
  for (int k = 0; k < 4; ++k, seat = nextSeat(seat)) {
    while (pos < deal.size() && isSpace(deal[pos])) ++pos;
    if (pos >= deal.size()) return "the deal gives " + std::to_string(k) + " hands instead of 4";
    const std::size_t start = pos;
    while (pos < deal.size() && !isSpace(deal[pos])) ++pos;
    const std::string_view hand = deal.substr(start, pos - start);
    auto& out = given.hands[indexOf(seat)];
    if (hand == "-") {
      out.reset();
      continue;
    }
    std::array<Holding, 4> suits{};
    std::size_t suit = 0;
    for (char c : hand) {
      if (c == '.') {
        if (++suit == 4) break;
        continue;
      }
      const int rank = kRankOf[static_cast<unsigned char>(c)];
      if (rank < 0) {
        suit = 4;
        break;
      }
      const auto bit = static_cast<Holding>(1u << rank);
      if (suits[suit] & bit) return cardName(kSuits[suit], rank) + " is held twice";
      suits[suit] = static_cast<Holding>(suits[suit] | bit);
    }
    if (suit != 3) return std::string(seatName(seat)) + "'s hand " + shown(hand) + " cannot be read";
    out = suits;
  }
  while (pos < deal.size() && isSpace(deal[pos])) ++pos;
  if (pos < deal.size()) return "the deal gives more than 4 hands";
  return "";
}

// Fewer than 13 cards in every hand given: the position at the end of a
// play, not a deal.
bool isEndPosition(const GivenHands& given) {
  int handsGiven = 0;
  for (const auto& hand : given.hands) {
    if (!hand) continue;
    ++handsGiven;
    int cards = 0;
    for (Holding h : *hand) cards += std::popcount(h);
    if (cards >= kRanks) return false;
  }
  return handsGiven > 0;
}

// A tag whose value may be inherited from the games before: "#" takes the
// value of the nearest game that gave one, "##text" gives text to this and
// every later game that leaves the tag out, until a plain value.
struct Inherited {
  std::string last, lasting;
  bool hasLast = false, hasLasting = false;

  // This game's value from the one it gives (or none), or nullptr.
  const std::string* resolve(const std::optional<std::string>& given) {
    static const std::string kNone;
    if (given && *given == "#") return hasLast ? &last : &kNone;
    if (given) {
      hasLasting = given->starts_with("##");
      if (hasLasting) lasting = given->substr(2);
      last = hasLasting ? lasting : *given;
    } else if (hasLasting) {
      last = lasting;
    } else {
      return nullptr;
    }
    hasLast = true;
    return &last;
  }
};

// The reader's state across the games of one file.
class PbnReader {
 public:
  // Takes one game's tags; the reason the file is refused, or "".
  std::string game(const std::array<std::optional<std::string_view>, kFields>& tags);
  Read finish();

 private:
  std::string board(const std::array<std::optional<std::string>, kFields>& given,
                    const std::array<const std::string*, 4>& words);
  std::string add(const SetBoard& board, const std::array<const std::string*, 4>& words);

  std::vector<DealSet> sets_;
  std::unordered_map<int, std::size_t> index_;  // of the last set's boards, by number
  std::array<Inherited, 4> inherited_;          // Event, Site, Date, Board
  int games_ = 0;
  int nextNumber_ = 1;  // of a game that gives no board number
  int number_ = 0;      // of the game read, once known
};

std::string PbnReader::game(const std::array<std::optional<std::string_view>, kFields>& tags) {
  ++games_;
  std::array<std::optional<std::string>, kFields> given;
  for (std::size_t f = 0; f < kFields; ++f)
    if (tags[f]) given[f] = unescapedPbn(*tags[f]);
  std::array<const std::string*, 4> words{};
  for (std::size_t f = kEvent; f <= kBoard; ++f) words[f] = inherited_[f].resolve(given[f]);
  // No board: a game of words, notes or a table, or a deal unknown ("?")
  // or not applicable ("").
  if (!given[kDeal] || trimmed(*given[kDeal]).empty() || trimmed(*given[kDeal]) == "?") return "";
  number_ = 0;
  const std::string problem = board(given, words);
  if (problem.empty()) return "";
  return "game " + std::to_string(games_) + (number_ > 0 ? " (board " + std::to_string(number_) + ")" : "") + ": " +
         problem;
}

std::string PbnReader::board(const std::array<std::optional<std::string>, kFields>& given,
                             const std::array<const std::string*, 4>& words) {
  int number = nextNumber_;
  if (words[kBoard]) {
    const std::string_view text = trimmed(*words[kBoard]);
    if (!text.empty() && text != "?") {
      number = 0;
      for (char c : text) {
        if (c < '0' || c > '9' || number > 99'999'999) return "the board number " + shown(text) + " cannot be read";
        number = number * 10 + (c - '0');
      }
      if (number == 0) return "the board number " + shown(text) + " cannot be read";
    }
  }
  number_ = number;
  nextNumber_ = number < 99'999'999 ? number + 1 : number;
  SetBoard b{{}, dealerOf(number), vulnerabilityOf(number)};
  if (given[kDealer]) {
    const std::string_view text = trimmed(*given[kDealer]);
    if (!text.empty() && text != "?") {
      const std::optional<Seat> seat = seatOf(text);
      if (!seat) return "the dealer " + shown(text) + " cannot be read";
      b.dealer = *seat;
    }
  }
  if (given[kVulnerable]) {
    const std::string_view text = trimmed(*given[kVulnerable]);
    if (!text.empty() && text != "?") {
      const std::optional<Vulnerability> v = vulnerabilityOfTag(text);
      if (!v) return "the vulnerability " + shown(text) + " cannot be read";
      b.vulnerability = *v;
    }
  }
  GivenHands hands;
  if (std::string problem = handsOf(*given[kDeal], hands); !problem.empty()) return problem;
  if (isEndPosition(hands)) return "every hand holds fewer than 13 cards: an end position, not a deal";
  const CheckedBoard checked = checkedBoard(number, hands);
  if (!checked.deal) return checked.problem;
  b.deal = *checked.deal;
  return add(b, words);
}

// A new set starts where the game names another event, or where the
// numbers start again: a number already in the set with other hands, no
// higher than the set's first board's. The same number with the same hands
// is the other room's copy of the board.
std::string PbnReader::add(const SetBoard& b, const std::array<const std::string*, 4>& words) {
  const int number = b.deal.number;
  const std::string event = words[kEvent] ? keptText(*words[kEvent]) : "";
  bool fresh = sets_.empty() || (!event.empty() && event != sets_.back().event);
  if (!fresh) {
    DealSet& set = sets_.back();
    if (const auto it = index_.find(number); it != index_.end()) {
      if (set.boards[it->second].deal.cards == b.deal.cards) return "";
      if (number > set.boards.front().deal.number) return addBoard(set, b);
      fresh = true;
    }
  }
  if (fresh) {
    DealSet& set = sets_.emplace_back();
    set.event = event;
    set.site = words[kSite] ? keptText(*words[kSite]) : "";
    set.date = words[kDate] ? keptText(*words[kDate]) : "";
    index_.clear();
  }
  index_.emplace(number, sets_.back().boards.size());
  sets_.back().boards.push_back(b);
  return "";
}

// The words are kept in UTF-8: a file whose words are not is read as ISO
// 8859-1.
Read PbnReader::finish() {
  if (sets_.empty()) return {{}, "the file holds no deal"};
  bool utf8 = true;
  for (const DealSet& s : sets_) utf8 = utf8 && isUtf8(s.event) && isUtf8(s.site) && isUtf8(s.date);
  if (!utf8)
    for (DealSet& s : sets_)
      for (std::string* text : {&s.event, &s.site, &s.date}) *text = latin1ToUtf8(*text);
  return {std::move(sets_), ""};
}

}  // namespace

bool isPbn(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const char c = bytes[pos];
    if (isSpace(c)) {
      ++pos;
    } else if (c == ';' || (c == '%' && (pos == 0 || bytes[pos - 1] == '\n'))) {
      pos = bytes.find('\n', pos);
    } else if (c == '{') {
      pos = bytes.find('}', pos);
      if (pos != std::string_view::npos) ++pos;
    } else {
      break;
    }
  }
  // A tag pair first: "[", a name, a string ("[Document]" is no tag pair).
  if (pos >= bytes.size() || bytes[pos] != '[') return false;
  std::size_t at = pos + 1;
  while (at < bytes.size() && isSpace(bytes[at])) ++at;
  const std::size_t name = at;
  while (at < bytes.size() && isNameChar(bytes[at])) ++at;
  if (at == name) return false;
  while (at < bytes.size() && isSpace(bytes[at])) ++at;
  if (at >= bytes.size() || bytes[at] != '"') return false;
  // And a Deal tag.
  for (std::size_t d = bytes.find("Deal", pos); d != std::string_view::npos; d = bytes.find("Deal", d + 4)) {
    std::size_t before = d;
    while (before > 0 && isSpace(bytes[before - 1])) --before;
    std::size_t after = d + 4;
    while (after < bytes.size() && isSpace(bytes[after])) ++after;
    if (before > 0 && bytes[before - 1] == '[' && after < bytes.size() && bytes[after] == '"') return true;
  }
  return false;
}

Read readPbn(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  PbnScanner scanner(bytes);
  PbnReader reader;
  std::array<std::optional<std::string_view>, kFields> tags;
  for (;;) {
    const PbnToken t = scanner.next();
    if (t.kind == PbnToken::Kind::Error) return {{}, "line " + std::to_string(t.line) + ": " + t.fault};
    if (t.kind == PbnToken::Kind::Tag) {
      // A tag given twice in a game counts once, as given first; but a
      // second, other deal would be a board lost: the empty line between
      // two games is missing.
      if (const std::optional<Field> f = fieldOf(t.name)) {
        if (!tags[*f]) {
          tags[*f] = t.value;
        } else if (*f == kDeal && *tags[*f] != t.value) {
          return {{}, "line " + std::to_string(t.line) +
                          ": a second deal in one game (games are separated by an empty line)"};
        }
      }
      continue;
    }
    if (t.kind == PbnToken::Kind::GameEnd) {
      if (std::string problem = reader.game(tags); !problem.empty()) return {{}, problem};
      tags = {};
      continue;
    }
    return reader.finish();
  }
}

}  // namespace kveld::formats
