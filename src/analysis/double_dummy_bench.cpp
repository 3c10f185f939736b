// Analysing a 36-board set against the bare batched solver call on the same
// 36 tables: our conversion, checks and par should add nothing measurable.
#include <benchmark/benchmark.h>
#include <dds/dll.h>

#include <memory>

#include "analysis/double_dummy.h"
#include "rules/control_string.h"
#include "rules/dealer.h"
#include "testing/bench_comparison.h"

namespace kveld::analysis {
namespace {

// The 36 boards of control string 123456789X.
const std::vector<Board>& setOf36() {
  static const std::vector<Board> boards = [] {
    const SetParameters params = decodeControlDigits(*checkControlString("123456789X"));
    return dealSet(params);
  }();
  return boards;
}

// Each benchmark first solves the set once untimed, so that neither pays
// for the solver's first use of its memory.
void BM_AnalyseSet(benchmark::State& state) {
  const auto& boards = setOf36();
  analyseBoards(boards);
  for (auto _ : state) {
    auto results = analyseBoards(boards);
    benchmark::DoNotOptimize(results.data());
  }
}
BENCHMARK(BM_AnalyseSet)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareBatchedSolver(benchmark::State& state) {
  const auto& boards = setOf36();
  auto deals = std::make_unique<ddTableDeals>();
  auto results = std::make_unique<ddTablesRes>();
  auto pars = std::make_unique<allParResults>();
  deals->noOfTables = static_cast<int>(boards.size());
  for (std::size_t i = 0; i < boards.size(); ++i) {
    for (std::size_t seat = 0; seat < 4; ++seat) {
      for (std::size_t suit = 0; suit < 4; ++suit) {
        unsigned h = 0;
        for (unsigned r = 0; r < 13; ++r) h |= ((boards[i].cards[seat][suit] >> r) & 1u) << (14 - r);
        deals->deals[i].cards[seat][suit] = h;
      }
    }
  }
  int filter[DDS_STRAINS] = {0, 0, 0, 0, 0};
  CalcAllTables(deals.get(), -1, filter, results.get(), pars.get());
  for (auto _ : state) {
    if (CalcAllTables(deals.get(), -1, filter, results.get(), pars.get()) != RETURN_NO_FAULT) {
      state.SkipWithError("the solver failed");
    }
    benchmark::DoNotOptimize(results.get());
  }
}
BENCHMARK(BM_BareBatchedSolver)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

const bench::CompareBenchmarks kCompare("double-dummy, 36 boards", "BM_AnalyseSet", "BM_BareBatchedSolver");

}  // namespace
}  // namespace kveld::analysis
