// Reading LIN files, the hand viewer's files of boards: a flat run of
// `tag|value|` pairs, line ends anywhere counting for nothing. Each board
// is an `md` tag (the dealer's digit and the hands from South), with the
// board's number from `ah|Board N|` or `qx|oN|`, and its vulnerability from
// `sv`; every other tag is skipped.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/formats.h"

namespace kveld::formats {

namespace {

struct Pair {
  std::string tag;  // lower case
  std::string value;
  int line = 0;  // where the tag starts
};

struct Pairs {
  std::vector<Pair> pairs;
  std::string refusal;  // where the run stops being LIN: "line 4: ..."
  std::string cutTag;   // the tag whose value has no closing bar, if any
  int cutLine = 0;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view withoutMark(std::string_view bytes) {
  return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

// A character as a refusal shows it: 'x', or its code when not printable.
std::string shown(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code > 32 && code < 127) return std::string("'") + c + "'";
  constexpr std::string_view kHex = "0123456789ABCDEF";
  return std::string("the byte 0x") + kHex[code / 16] + kHex[code % 16];
}

// The pairs of the file in order. Spaces and line ends between pairs are
// skipped and line ends inside a tag or value are dropped, so that a board
// may run over any number of lines.
Pairs pairsOf(std::string_view bytes) {
  Pairs out;
  std::size_t at = 0;
  int line = 1;
  // The text up to the next bar, line ends dropped; false at the end.
  auto upToBar = [&](std::string& text, std::size_t longest) {
    for (; at < bytes.size(); ++at) {
      const char c = bytes[at];
      if (c == '|') {
        ++at;
        return true;
      }
      if (c == '\n') ++line;
      if (c != '\r' && c != '\n' && text.size() <= longest) text += c;
    }
    return false;
  };
  while (true) {
    while (at < bytes.size() && isSpace(bytes[at])) line += bytes[at++] == '\n' ? 1 : 0;
    if (at == bytes.size()) return out;
    Pair pair;
    pair.line = line;
    constexpr std::size_t kShown = 12;  // of a text that is no tag
    const bool closed = upToBar(pair.tag, kShown);
    if (pair.tag.size() != 2 || !isLetter(pair.tag[0]) || !isLetter(pair.tag[1])) {
      const bool letters = pair.tag.size() < 2 && (pair.tag.empty() || isLetter(pair.tag[0]));
      if (!closed && letters) {
        out.cutLine = pair.line;
      } else {
        std::string text;
        for (char c : pair.tag.substr(0, kShown)) text += c > 31 && c < 127 ? c : '?';
        out.refusal = "line " + std::to_string(pair.line) + ": \"" + text +
                      (pair.tag.size() > kShown ? "..." : "") +
                      "\" is no tag (a tag is two letters and a bar)";
      }
      return out;
    }
    pair.tag = {lower(pair.tag[0]), lower(pair.tag[1])};
    if (!closed || !upToBar(pair.value, std::string::npos)) {
      out.cutTag = pair.tag, out.cutLine = pair.line;
      return out;
    }
    out.pairs.push_back(std::move(pair));
  }
}

// A board number: digits only, 1 to 999999. Nothing when not one.
std::optional<int> numberOf(std::string_view digits) {
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1) return std::nullopt;
  return n;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// "Board 12" (any case, spaces allowed) gives 12; another label nothing.
std::optional<int> numberOfLabel(std::string_view label) {
  label = trimmed(label);
  constexpr std::string_view kBoard = "board";
  if (label.size() <= kBoard.size()) return std::nullopt;
  for (std::size_t i = 0; i < kBoard.size(); ++i)
    if (lower(label[i]) != kBoard[i]) return std::nullopt;
  return numberOf(trimmed(label.substr(kBoard.size())));
}

// "o12" or "c12", perhaps followed by ",BOARD 12", gives 12.
std::optional<int> numberOfRoom(std::string_view room) {
  room = trimmed(room.substr(0, room.find(',')));
  if (room.empty() || (lower(room[0]) != 'o' && lower(room[0]) != 'c')) return std::nullopt;
  return numberOf(room.substr(1));
}

// The seats of the dealer's digit, and of the hands in their order.
constexpr std::array<Seat, 4> kLinSeats = {Seat::South, Seat::West, Seat::North, Seat::East};

std::optional<Suit> suitOf(char c) {
  const std::size_t at = std::string_view("shdc").find(lower(c));
  if (at == std::string_view::npos) return std::nullopt;
  return kSuits[at];
}

constexpr std::array<std::string_view, 4> kSuitWords = {"spades", "hearts", "diamonds", "clubs"};

// One hand, "S269H2568QAD4C8QA" or with suits in another order; a suit
// left out or standing alone is void. Gives the reason when it cannot be
// read.
std::string readHand(std::string_view text, Seat seat, std::array<Holding, 4>& hand) {
  const std::string whose = std::string(seatName(seat)) + "'s hand ";
  std::array<bool, 4> named{};
  std::size_t at = 0;
  while (at < text.size()) {
    const std::optional<Suit> suit = suitOf(text[at]);
    if (!suit) return whose + "has " + shown(text[at]) + " where a suit letter (S, H, D or C) belongs";
    if (named[indexOf(*suit)])
      return whose + "gives its " + std::string(kSuitWords[indexOf(*suit)]) + " twice";
    named[indexOf(*suit)] = true;
    std::size_t end = ++at;
    while (end < text.size() && !suitOf(text[end])) ++end;
    const std::string_view ranks = text.substr(at, end - at);
    const std::optional<Holding> holding = holdingOf(ranks);
    if (!holding) {
      for (char c : ranks)
        if (!holdingOf(std::string_view(&c, 1)))
          return whose + "has " + shown(c) + ", which is no suit letter or rank";
      return whose + "gives a rank twice in its " + std::string(kSuitWords[indexOf(*suit)]);
    }
    hand[indexOf(*suit)] = *holding;
    at = end;
  }
  return "";
}

// The board a file's tags give, before it is checked.
struct LinBoard {
  std::optional<int> room, label;               // the numbers of qx and ah
  std::optional<std::string> deal, vulnerable;  // of md and sv
  int dealIndex = 0;                            // md 1, md 2, ... of the file
  bool labelled = false;                        // an ah tag was seen
};

struct Reading {
  Read read;
  int lastNumber = 0;

  // The board, checked and added to the set; the reason when refused.
  std::string add(const LinBoard& b) {
    if (b.room && b.label && *b.room != *b.label)
      return "md " + std::to_string(b.dealIndex) + ": qx gives board " + std::to_string(*b.room) +
             " and ah board " + std::to_string(*b.label);
    const std::optional<int> given = b.room ? b.room : b.label;
    const int number = given ? *given : lastNumber + 1;
    lastNumber = number;
    const std::string where =
        (given ? "board " + std::to_string(number) : "md " + std::to_string(b.dealIndex)) + ": ";
    const std::string_view deal = *b.deal;
    if (deal.empty() || deal[0] < '1' || deal[0] > '4')
      return where + (deal.empty() ? std::string("the deal is empty")
                                   : "the dealer digit " + shown(deal[0]) + " is not 1 to 4");
    SetBoard board;
    board.dealer = kLinSeats[static_cast<std::size_t>(deal[0] - '1')];
    GivenHands hands;
    std::size_t from = 1;
    for (std::size_t i = 0; from <= deal.size(); ++i) {
      const std::size_t comma = std::min(deal.find(',', from), deal.size());
      const std::string_view text = deal.substr(from, comma - from);
      from = comma + 1;
      if (i == kLinSeats.size()) {
        // A comma after the fourth hand ends the deal; more is no deal.
        if (!text.empty() || from <= deal.size()) return where + "the deal gives more than four hands";
        break;
      }
      if (text.empty()) continue;  // a hand left out
      std::array<Holding, 4> hand{};
      if (std::string problem = readHand(text, kLinSeats[i], hand); !problem.empty()) return where + problem;
      hands.hands[indexOf(kLinSeats[i])] = hand;
    }
    board.vulnerability = vulnerabilityOf(number);
    if (b.vulnerable && !trimmed(*b.vulnerable).empty()) {
      const std::string_view v = trimmed(*b.vulnerable);
      const std::size_t at =
          v.size() == 1 ? std::string_view("o0-neb").find(lower(v[0])) : std::string_view::npos;
      if (at == std::string_view::npos)
        return where + "the vulnerability \"" + std::string(v) + "\" is not o, n, e or b";
      constexpr std::array<Vulnerability, 6> kBy = {Vulnerability::None,     Vulnerability::None,
                                                    Vulnerability::None,     Vulnerability::NorthSouth,
                                                    Vulnerability::EastWest, Vulnerability::Both};
      board.vulnerability = kBy[at];
    }
    const CheckedBoard checked = checkedBoard(number, hands);
    if (!checked.deal) return where + checked.problem;
    board.deal = *checked.deal;
    return addBoard(read.sets.front(), board);
  }
};

// Whether the pairs from here on begin another board: the board read so
// far has its deal, and this tag begins a board or repeats one it has.
bool beginsBoard(const Pair& p, const LinBoard& b) {
  if (!b.deal) return false;
  return p.tag == "qx" || p.tag == "pn" || p.tag == "md" || (p.tag == "ah" && b.labelled) ||
         (p.tag == "sv" && b.vulnerable);
}

// Where a refusal points while a board is read: its number when the file
// has given it, else its md tag, else the line.
std::string whereIn(const LinBoard& b, int line) {
  if (b.room || b.label) return "board " + std::to_string(b.room ? *b.room : *b.label);
  if (b.deal) return "md " + std::to_string(b.dealIndex);
  return "line " + std::to_string(line);
}

}  // namespace

// Whether the bytes begin as LIN does, with a tag that its files hold, and
// give a deal somewhere.
bool isLin(std::string_view bytes) {
  bytes = withoutMark(bytes);
  const std::size_t at = bytes.find_first_not_of(" \t\r\n");
  if (at == std::string_view::npos || bytes.size() - at < 3 || bytes[at + 2] != '|') return false;
  const std::string tag = {lower(bytes[at]), lower(bytes[at + 1])};
  constexpr std::array<std::string_view, 18> kFirstTags = {"pn", "vg", "qx", "md", "st", "ah",
                                                           "rs", "sv", "pw", "mp", "bn", "rh",
                                                           "pg", "mb", "an", "pc", "mc", "nt"};
  if (std::find(kFirstTags.begin(), kFirstTags.end(), tag) == kFirstTags.end()) return false;
  return bytes.find("md|") != std::string_view::npos || bytes.find("MD|") != std::string_view::npos;
}

Read readLin(std::string_view bytes) {
  const Pairs pairs = pairsOf(withoutMark(bytes));
  Reading reading;
  DealSet& set = reading.read.sets.emplace_back();
  bool titled = false;
  int deals = 0;
  LinBoard board;
  for (const Pair& p : pairs.pairs) {
    if (beginsBoard(p, board)) {
      if (std::string problem = reading.add(board); !problem.empty()) return {{}, problem};
      board = {};
    }
    if (p.tag == "md") {
      board.deal = p.value;
      board.dealIndex = ++deals;
    } else if (p.tag == "qx") {
      board.room = numberOfRoom(p.value);
    } else if (p.tag == "ah") {
      board.label = numberOfLabel(p.value);
      board.labelled = true;
    } else if (p.tag == "sv") {
      board.vulnerable = p.value;
    } else if (p.tag == "vg" && !titled) {
      set.event = std::string(trimmed(std::string_view(p.value).substr(0, p.value.find(','))));
      titled = true;
    }
  }
  if (!pairs.refusal.empty()) return {{}, pairs.refusal};
  if (pairs.cutLine > 0)
    return {{},
            whereIn(board, pairs.cutLine) + ": cut short" +
                (pairs.cutTag.size() == 2 ? ": the " + pairs.cutTag + " tag has no closing |" : " in a tag")};
  if (board.deal)
    if (std::string problem = reading.add(board); !problem.empty()) return {{}, problem};
  if (set.boards.empty()) return {{}, "the file holds no deal (no md tag)"};
  return reading.read;
}

}  // namespace kveld::formats
