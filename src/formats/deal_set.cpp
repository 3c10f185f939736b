#include "formats/deal_set.h"

#include <algorithm>
#include <array>

#include "rules/archive_text.h"
#include "rules/calendar.h"

namespace kveld::formats {

namespace {

std::string twoDigits(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// The control string carries no calendar year. Day 0 of January, which some
// control strings decode to, is no day of the calendar: it is written as an
// unknown day rather than as a date no reader takes.
std::string pbnDate(const SetParameters& p) {
  return "????." + twoDigits(p.monthNumber) + "." + (p.dayOfMonth == 0 ? "??" : twoDigits(p.dayOfMonth));
}

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A date as PBN writes it, in words: "March 5, 2024", "March 2024",
// "March 5"; a date in another form as it stands; "" when unknown.
std::string dateWords(std::string_view date) {
  if (date.empty() || date == "?") return "";
  if (date.size() != 10 || date[4] != '.' || date[7] != '.') return std::string(date);
  const std::string_view year = date.substr(0, 4), month = date.substr(5, 2), day = date.substr(8, 2);
  if (!allDigits(month)) return allDigits(year) ? std::string(year) : std::string(date);
  const int m = std::stoi(std::string(month));
  if (m < 1 || m > 12) return std::string(date);
  std::string words(kMonthName[static_cast<std::size_t>(m)]);
  if (allDigits(day)) words += " " + std::to_string(std::stoi(std::string(day)));
  if (allDigits(year)) words += (allDigits(day) ? ", " : " ") + std::string(year);
  return words;
}

constexpr std::array<std::string_view, 13> kRankNames = {"ace",  "king", "queen", "jack", "ten",
                                                         "nine", "eight", "seven", "six", "five",
                                                         "four", "three", "two"};
constexpr std::array<std::string_view, 4> kSuitNames = {"spades", "hearts", "diamonds", "clubs"};

}  // namespace

SetBoard boardByNumber(const Board& deal) {
  return {deal, dealerOf(deal.number), vulnerabilityOf(deal.number)};
}

std::vector<Board> DealSet::deals() const {
  std::vector<Board> out;
  out.reserve(boards.size());
  for (const SetBoard& b : boards) out.push_back(b.deal);
  return out;
}

std::string DealSet::heading() const { return headingOf(title, boards.size()); }

std::string headingOf(std::string_view title, std::size_t boardCount) {
  return std::string(title) + ", " + std::to_string(boardCount) + (boardCount == 1 ? " board" : " boards");
}

std::string setHeading(const SetParameters& params) {
  return headingOf(setTitle(params), static_cast<std::size_t>(params.boardCount));
}

DealSet setOfControlString(std::string_view controlString, const SetParameters& params,
                           std::span<const Board> dealt) {
  DealSet set;
  set.title = setTitle(params);
  set.event = set.title;
  set.date = pbnDate(params);
  set.archiveHeading = archiveHeader(params);
  set.source = std::string(controlString);
  set.origin = "Control string " + set.source;
  set.name = archiveName(params, "").baseName;
  for (const Board& b : dealt) set.boards.push_back(boardByNumber(b));
  return set;
}

void nameSetsOfFile(std::vector<DealSet>& sets, std::string_view fileName) {
  const std::size_t slash = fileName.find_last_of("/\\");
  const std::string shown(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
  const std::size_t dot = shown.find_last_of('.');
  const std::string base = dot == std::string::npos || dot == 0 ? shown : shown.substr(0, dot);
  for (std::size_t i = 0; i < sets.size(); ++i) {
    DealSet& set = sets[i];
    set.source = shown;
    set.origin = "File " + shown;
    set.name = i == 0 ? base : base + "-" + std::to_string(i + 1);
    const std::string when = dateWords(set.date);
    const std::string what = set.event.empty() ? set.name : set.event;
    // An event that names its date already ("January 1, Morning") is
    // not dated twice.
    set.title = when.empty() || what.find(when) != std::string::npos ? what : what + ", " + when;
    if (set.archiveHeading.empty()) set.archiveHeading = archiveHeader(when, what);
  }
}

std::vector<analysis::BoardAnalysis> analyseSet(const DealSet& set, const analysis::ProgressReport& progress) {
  std::vector<analysis::BoardAnalysis> out = analysis::analyseBoards(set.deals(), progress);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i].par = analysis::parOf(out[i].tricks, set.boards[i].dealer, set.boards[i].vulnerability);
  return out;
}

std::vector<analysis::BoardAnalysis> analysisFromTables(const DealSet& set,
                                                        std::span<const analysis::TrickTable> tables) {
  std::vector<analysis::BoardAnalysis> out;
  for (std::size_t i = 0; i < tables.size() && i < set.boards.size(); ++i) {
    const SetBoard& b = set.boards[i];
    out.push_back({b.deal.number, tables[i], analysis::parOf(tables[i], b.dealer, b.vulnerability)});
  }
  return out;
}

std::string cardName(Suit suit, int rank) {
  return "the " + std::string(kRankNames[static_cast<std::size_t>(rank)]) + " of " +
         std::string(kSuitNames[indexOf(suit)]);
}

CheckedBoard checkedBoard(int number, const GivenHands& given) {
  CheckedBoard result;
  Board board;
  board.number = number;
  int missing = -1;
  std::array<Holding, 4> held{};  // every card given, by suit
  for (Seat seat : kSeats) {
    const auto& hand = given.hands[indexOf(seat)];
    if (!hand) {
      if (missing >= 0) {
        result.problem = "two or more hands are missing";
        return result;
      }
      missing = static_cast<int>(indexOf(seat));
      continue;
    }
    int cards = 0;
    for (Suit suit : kSuits) {
      const Holding h = (*hand)[indexOf(suit)];
      if (const Holding twice = static_cast<Holding>(h & held[indexOf(suit)]); twice != 0) {
        result.problem = cardName(suit, std::countr_zero(twice)) + " is held twice";
        return result;
      }
      held[indexOf(suit)] = static_cast<Holding>(held[indexOf(suit)] | h);
      board.cards[indexOf(seat)][indexOf(suit)] = h;
      cards += std::popcount(h);
    }
    if (cards != kRanks) {
      result.problem = std::string(seatName(seat)) + " holds " + std::to_string(cards) + " cards instead of 13";
      return result;
    }
  }
  if (missing >= 0) {
    for (Suit suit : kSuits)
      board.cards[static_cast<std::size_t>(missing)][indexOf(suit)] =
          static_cast<Holding>(~held[indexOf(suit)] & 0x1FFFu);
    return {board, ""};
  }
  for (Suit suit : kSuits) {
    if (const Holding absent = static_cast<Holding>(~held[indexOf(suit)] & 0x1FFFu); absent != 0) {
      result.problem = cardName(suit, std::countr_zero(absent)) + " is missing";
      return result;
    }
  }
  return {board, ""};
}

std::string addBoard(DealSet& set, const SetBoard& board) {
  for (const SetBoard& b : set.boards) {
    if (b.deal.number != board.deal.number) continue;
    if (b.deal.cards == board.deal.cards) return "";
    return "board " + std::to_string(board.deal.number) + " is given twice with different hands";
  }
  set.boards.push_back(board);
  return "";
}

}  // namespace kveld::formats
