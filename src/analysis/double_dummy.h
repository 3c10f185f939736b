#pragma once
// Double-dummy analysis of a set of boards: for every board the tricks each
// declarer takes in each denomination with perfect play, and the par result
// for the dealer and vulnerability its number gives. The solving itself is
// done by the DDS library, all boards of a set in one batched call that uses
// every core; this interface knows nothing of DDS, of the console or of the
// dealer, and nothing of how the results are printed.
#include <array>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "rules/board.h"

namespace kveld::analysis {

// The suits of the board model in their order; NoTrump completes the five
// denominations.
enum class Denomination { Spades = 0, Hearts = 1, Diamonds = 2, Clubs = 3, NoTrump = 4 };
// The denomination with that suit as trumps.
constexpr Denomination denominationOf(Suit suit) { return static_cast<Denomination>(indexOf(suit)); }

// Who may declare a par contract: one player, or either of a side.
enum class Declarers { North, East, South, West, NorthSouth, EastWest };

struct ParContract {
  int level = 0;  // 1..7
  Denomination denomination = Denomination::NoTrump;
  Declarers declarers = Declarers::NorthSouth;
  int overtricks = 0;   // made with this many more tricks than bid
  int undertricks = 0;  // a sacrifice, doubled, going down this many
  bool operator==(const ParContract&) const = default;
};

struct Par {
  int score = 0;                       // from North-South's side: negative when East-West score
  std::vector<ParContract> contracts;  // empty when the board is passed out
};

// Tricks with perfect play: [declarer seat][denomination].
using TrickTable = std::array<std::array<int, 5>, 4>;

struct BoardAnalysis {
  int number = 0;
  TrickTable tricks{};
  Par par;
  int tricksFor(Seat declarer, Denomination d) const {
    return tricks[indexOf(declarer)][static_cast<std::size_t>(d)];
  }
};

// Told how far a run has come: boards solved so far out of all boards. It is
// called once before solving starts, again at short intervals while a batch
// is being solved (so that a display can show the time passing), and after
// every batch.
using ProgressReport = std::function<void(int done, int all)>;

class AnalysisError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most boards the solver takes in one call; longer lists are solved in
// batches of this size.
constexpr int kBoardsPerBatch = 40;

// Bounds the memory that the solver keeps for its search tables, in
// megabytes, from the next analysis on; 0 (the start) lets it judge from the
// machine. Below 124 MB it keeps the small tables (at most 30 MB a thread),
// and it always keeps at least one thread's.
void setSolverMemory(int megabytes);

// Solves every board, each with the dealer and vulnerability of its number.
// Throws AnalysisError, naming the board, when a board is not a full deal
// (13 cards in each hand, every card once) or when the solver fails.
std::vector<BoardAnalysis> analyseBoards(std::span<const Board> boards, const ProgressReport& progress = {});

// The par result of a board from its table, for its dealer and
// vulnerability (worked out by the solver's own par function).
Par parOf(const TrickTable& tricks, Seat dealer, Vulnerability vulnerability);

// A board's analysis from its solved table: the par for the dealer and
// vulnerability that its number gives.
BoardAnalysis analysisOf(int boardNumber, const TrickTable& tricks);

}  // namespace kveld::analysis
