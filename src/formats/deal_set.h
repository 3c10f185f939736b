#pragma once
// A set of boards as every format reads and writes it, whatever its source:
// its own words and its boards, each with the dealer and vulnerability it is
// played with, and optionally each board's analysis. A control string is one
// source (dealer and vulnerability from the board's number, the date and
// session as its words); a deal file is another (dealer and vulnerability as
// the file states them, its event, site and date).
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/double_dummy.h"
#include "rules/board.h"
#include "rules/set_parameters.h"

namespace kveld::formats {

struct SetBoard {
  Board deal;  // the board's number and its four hands
  Seat dealer = Seat::North;
  Vulnerability vulnerability = Vulnerability::None;
  bool operator==(const SetBoard&) const = default;

  // Whether the dealer and vulnerability are those that the number implies.
  bool followsItsNumber() const {
    return dealer == dealerOf(deal.number) && vulnerability == vulnerabilityOf(deal.number);
  }
};

// A board as a control string deals it: dealer and vulnerability by number.
SetBoard boardByNumber(const Board& deal);

struct DealSet {
  // The set's words. Event, site and date are empty where unknown; the date
  // is written as PBN writes it ("2024.03.05", "????.01.01").
  std::string event, site, date;
  std::string title;           // before the board count in a heading: "January 1, Morning"
  std::string archiveHeading;  // the deal archive's heading line
  std::string source;          // the control string or the file's name: "1000100006", "club.pbn"
  std::string origin;          // as a hand record names the source: "Control string 1000100006"
  std::string name;            // of its files, without the extension: "Jan-01-M", "club"

  std::vector<SetBoard> boards;
  std::vector<analysis::BoardAnalysis> analysis;  // of boards[i], or none

  // The analysis of boards[i], or nullptr when the set was not analysed.
  const analysis::BoardAnalysis* analysisOf(std::size_t i) const {
    return i < analysis.size() ? &analysis[i] : nullptr;
  }
  // The boards' hands, in order.
  std::vector<Board> deals() const;
  // "January 1, Morning, 24 boards".
  std::string heading() const;
};

// A set's heading: "January 1, Morning, 24 boards".
std::string headingOf(std::string_view title, std::size_t boardCount);
// The heading of the set a valid control string stands for.
std::string setHeading(const SetParameters& params);

// The set a valid control string stands for, from the boards dealt for it.
DealSet setOfControlString(std::string_view controlString, const SetParameters& params,
                           std::span<const Board> dealt);

// Gives the sets read from one file their names and words: the file's name
// without its folder ("club.pbn"), its files' names after it ("club", then
// "club-2" for a second set in the file), and a title and archive heading
// from the event and date the file gives, or from its name (an archive
// heading that the file gives is kept).
void nameSetsOfFile(std::vector<DealSet>& sets, std::string_view fileName);

// Solves every board of the set, each for the dealer and vulnerability it is
// played with. Throws analysis::AnalysisError as analyseBoards does.
std::vector<analysis::BoardAnalysis> analyseSet(const DealSet& set,
                                                const analysis::ProgressReport& progress = {});
// The analysis of each board from its solved table (tables[i] of boards[i]).
std::vector<analysis::BoardAnalysis> analysisFromTables(const DealSet& set,
                                                        std::span<const analysis::TrickTable> tables);

// The hands of a board as a file gives them, before they are checked: each
// seat's cards, or none where the file leaves a hand out.
struct GivenHands {
  std::array<std::optional<std::array<Holding, 4>>, 4> hands;  // [seat][suit]
};

// Completes a hand left out when the other three hold 39 cards, and checks
// that every hand holds 13 cards and every card is held once. Gives the
// board, or the reason it is refused ("the ace of spades is held twice").
struct CheckedBoard {
  std::optional<Board> deal;
  std::string problem;
};
CheckedBoard checkedBoard(int number, const GivenHands& given);

// The name of a card as a refusal says it: "the ten of hearts".
std::string cardName(Suit suit, int rank);

// Adds a board to a set read from a file: the same number again with the
// same hands (the other room of a team match) is the same board and is
// dropped; with other hands it is refused. Gives the reason, or "".
std::string addBoard(DealSet& set, const SetBoard& board);

}  // namespace kveld::formats
