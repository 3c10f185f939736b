#pragma once
// Double-dummy analysis of a set of boards: for every board the tricks each
// declarer takes in each denomination with perfect play, and the par result
// for the board's dealer and vulnerability. The solving itself is done by the
// DDS library, all boards of a set in one batched call that uses every core;
// this interface knows nothing of DDS, of the console or of the dealer.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kveld::analysis {

// Seats in the order of the deal store: North, East, South, West.
enum class Seat { North = 0, East = 1, South = 2, West = 3 };
// Suits 0..3 in the order of the deal store; NoTrump completes the five
// denominations.
enum class Denomination { Spades = 0, Hearts = 1, Diamonds = 2, Clubs = 3, NoTrump = 4 };
enum class Vulnerability { None, NorthSouth, EastWest, Both };

// The cards of one suit in one hand: bit r set for rank index r
// (0 ace, 1 king, ... 12 two), the card numbering of the dealer.
using Holding = std::uint16_t;

// One board as dealt: the holdings by seat and suit, and what the par
// result depends on besides the cards.
struct BoardHands {
  int number = 0;
  Seat dealer = Seat::North;
  Vulnerability vulnerability = Vulnerability::None;
  std::array<std::array<Holding, 4>, 4> cards{};  // [seat][suit]
};

// Who may declare a par contract: one player, or either of a side.
enum class Declarers { North, East, South, West, NorthSouth, EastWest };

struct ParContract {
  int level = 0;  // 1..7
  Denomination denomination = Denomination::NoTrump;
  Declarers declarers = Declarers::NorthSouth;
  int overtricks = 0;   // made with this many more tricks than bid
  int undertricks = 0;  // a sacrifice, doubled, going down this many
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
    return tricks[static_cast<std::size_t>(declarer)][static_cast<std::size_t>(d)];
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

// Solves every board. Throws AnalysisError, naming the board, when a board
// is not a full deal (13 cards in each hand, every card once) or when the
// solver fails.
std::vector<BoardAnalysis> analyseBoards(std::span<const BoardHands> boards,
                                         const ProgressReport& progress = {});

// The par result of a board from its table, for its dealer and
// vulnerability (worked out by the solver's own par function).
Par parOf(const TrickTable& tricks, Seat dealer, Vulnerability vulnerability);

// The usual rotation of duplicate boards: dealer North on Board 1, East on
// 2 and so on; vulnerability in the cycle of 16 boards.
Seat dealerOfBoard(int number);
Vulnerability vulnerabilityOfBoard(int number);

// Letters for the printed forms.
char seatLetter(Seat seat);                      // N E S W
std::string denominationText(Denomination d);    // S H D C NT
std::string declarersText(Declarers declarers);  // N E S W NS EW
// A par contract as hand records print it: "4S", "3NT+1", "5DX-2" (a
// sacrifice is doubled).
std::string contractText(const ParContract& contract);
// The par score from North-South's side: "NS 620", "NS -100", "NS 0".
std::string parScoreText(const Par& par);
// All par contracts, each with its declarers: "NS 4S", "EW 5DX-1, EW 5CX-1";
// "Pass" when the board is passed out.
std::string parContractsText(const Par& par);

}  // namespace kveld::analysis
