#include "analysis/double_dummy.h"

#include <dds/dll.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <optional>

namespace kveld::analysis {
namespace {

constexpr auto kHeartbeat = std::chrono::milliseconds(200);

std::string boardName(const Board& b) { return "Board " + std::to_string(b.number); }

// A full deal: thirteen cards in each hand and each card in one hand only.
void checkFullDeal(const Board& b) {
  for (Suit suit : kSuits) {
    unsigned seen = 0;
    for (Seat seat : kSeats) {
      const unsigned h = b.holding(seat, suit);
      if (h >> kRanks != 0) throw AnalysisError(boardName(b) + ": a holding names a rank beyond the two");
      if ((seen & h) != 0) throw AnalysisError(boardName(b) + ": a card is dealt twice");
      seen |= h;
    }
  }
  for (Seat seat : kSeats) {
    int count = 0;
    for (Suit suit : kSuits) count += b.length(seat, suit);
    if (count != kRanks) {
      throw AnalysisError(boardName(b) + ": " + seatLetter(seat) + " holds " + std::to_string(count) +
                          " cards, not 13");
    }
  }
}

// DDS holds the ace in bit 14 down to the two in bit 2.
unsigned ddsHolding(Holding h) {
  unsigned out = 0;
  for (unsigned r = 0; r < 13; ++r) {
    if ((h >> r) & 1u) out |= 1u << (14 - r);
  }
  return out;
}

int ddsVulnerability(Vulnerability v) {
  switch (v) {
    case Vulnerability::None: return 0;
    case Vulnerability::Both: return 1;
    case Vulnerability::NorthSouth: return 2;
    case Vulnerability::EastWest: return 3;
  }
  return 0;
}

std::mutex solverSetUp;
int memoryWanted = 0;
std::optional<int> memorySetUp;

// The solver sets up its threads and memory for the machine's cores when
// its shared library is loaded; linked statically (the Windows build) that
// does not happen by itself, and nothing else of it may be called before.
// Setting up once more where it did happen costs only the first call, and
// again after the memory wanted has changed.
void prepareSolver() {
  const std::lock_guard lock(solverSetUp);
  if (memorySetUp == memoryWanted) return;
  SetResources(memoryWanted, 0);
  memorySetUp = memoryWanted;
}

std::string ddsMessage(int code) {
  char line[80] = {};
  ErrorMessage(code, line);
  return line;
}

Par parFrom(const parResultsMaster& m) {
  Par par;
  par.score = m.score;
  for (int i = 0; i < m.number && i < 10; ++i) {
    const contractType& c = m.contracts[i];
    if (c.level < 1) continue;  // passed out
    ParContract pc;
    pc.level = c.level;
    // DDS numbers the par contract's denomination with no trump first.
    pc.denomination = c.denom == 0 ? Denomination::NoTrump : static_cast<Denomination>(c.denom - 1);
    pc.declarers = static_cast<Declarers>(c.seats);
    pc.overtricks = c.overTricks;
    pc.undertricks = c.underTricks;
    par.contracts.push_back(pc);
  }
  return par;
}

// One call of the solver for up to kBoardsPerBatch boards, every
// denomination, no par (par depends on each board's own vulnerability and
// dealer and is worked out afterwards from the tables).
void solveBatch(std::span<const Board> boards, std::span<BoardAnalysis> out) {
  auto deals = std::make_unique<ddTableDeals>();
  auto results = std::make_unique<ddTablesRes>();
  auto pars = std::make_unique<allParResults>();
  deals->noOfTables = static_cast<int>(boards.size());
  for (std::size_t i = 0; i < boards.size(); ++i) {
    for (std::size_t seat = 0; seat < 4; ++seat) {
      for (std::size_t suit = 0; suit < 4; ++suit)
        deals->deals[i].cards[seat][suit] = ddsHolding(boards[i].cards[seat][suit]);
    }
  }
  int filter[DDS_STRAINS] = {0, 0, 0, 0, 0};
  const int rc = CalcAllTables(deals.get(), -1, filter, results.get(), pars.get());
  if (rc != RETURN_NO_FAULT) {
    throw AnalysisError("the double-dummy solver failed on " + boardName(boards.front()) + " to " +
                        boardName(boards.back()) + ": " + ddsMessage(rc));
  }
  for (std::size_t i = 0; i < boards.size(); ++i) {
    const ddTableResults& table = results->results[i];
    TrickTable tricks{};
    for (std::size_t strain = 0; strain < 5; ++strain) {
      for (std::size_t seat = 0; seat < 4; ++seat) tricks[seat][strain] = table.resTable[strain][seat];
    }
    out[i] = analysisOf(boards[i].number, tricks);
  }
}

}  // namespace

void setSolverMemory(int megabytes) {
  const std::lock_guard lock(solverSetUp);
  // The solver counts 30% above the figure it is given, and needs 30 MB for
  // its one thread.
  constexpr int kLeast = 24;
  memoryWanted = megabytes <= 0 ? 0 : std::max(megabytes, kLeast);
}

std::vector<BoardAnalysis> analyseBoards(std::span<const Board> boards, const ProgressReport& progress) {
  for (const Board& b : boards) checkFullDeal(b);
  prepareSolver();
  std::vector<BoardAnalysis> out(boards.size());
  const int all = static_cast<int>(boards.size());
  if (progress) progress(0, all);
  for (std::size_t first = 0; first < boards.size(); first += kBoardsPerBatch) {
    const std::size_t count = std::min<std::size_t>(kBoardsPerBatch, boards.size() - first);
    const auto batch = boards.subspan(first, count);
    const auto into = std::span<BoardAnalysis>(out).subspan(first, count);
    if (!progress) {
      solveBatch(batch, into);
      continue;
    }
    // The solver blocks until the whole batch is done; it runs on a thread
    // of its own so that this one can keep the display's clock going.
    auto solving = std::async(std::launch::async, [&] { solveBatch(batch, into); });
    while (solving.wait_for(kHeartbeat) != std::future_status::ready) progress(static_cast<int>(first), all);
    solving.get();
    progress(static_cast<int>(first + count), all);
  }
  return out;
}

Par parOf(const TrickTable& tricks, Seat dealer, Vulnerability vulnerability) {
  ddTableResults table{};
  for (std::size_t strain = 0; strain < 5; ++strain) {
    for (std::size_t seat = 0; seat < 4; ++seat) table.resTable[strain][seat] = tricks[seat][strain];
  }
  parResultsMaster master{};
  const int rc =
      DealerParBin(&table, &master, static_cast<int>(indexOf(dealer)), ddsVulnerability(vulnerability));
  if (rc != RETURN_NO_FAULT) throw AnalysisError("the par calculation failed: " + ddsMessage(rc));
  return parFrom(master);
}

BoardAnalysis analysisOf(int boardNumber, const TrickTable& tricks) {
  return {boardNumber, tricks, parOf(tricks, dealerOf(boardNumber), vulnerabilityOf(boardNumber))};
}

}  // namespace kveld::analysis
