// Dealing many sets, as a batch run does, against the bare generator steps
// that the same sets needed when the skip after seeding was stepped one
// value at a time.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "rules/control_string.h"
#include "rules/dealer.h"
#include "testing/bench_comparison.h"

namespace kveld {
namespace {

constexpr int kSets = 10000;

// Ten thousand sets of control strings with evenly drawn digits: every date,
// session, board count and deal offset.
const std::vector<SetParameters>& manySets() {
  static const std::vector<SetParameters> sets = [] {
    std::mt19937 random(2026);
    std::vector<SetParameters> list;
    for (int i = 0; i < kSets; ++i) {
      ControlDigits digits{};
      for (std::size_t k = 1; k <= 9; ++k) digits[k] = static_cast<std::int16_t>(random() % 10);
      list.push_back(decodeControlDigits(digits));
    }
    return list;
  }();
  return sets;
}

struct BatchDealer {
  std::uint32_t dealAll() {
    std::uint32_t last = 0;
    for (const SetParameters& p : manySets()) {
      SetDealer dealer(p);
      benchmark::DoNotOptimize(dealer.deal(1, p.boardCount));
      last ^= dealer.state();
    }
    return last;
  }
};

void BatchDealingOfManySets(benchmark::State& state) {
  BatchDealer dealer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dealer.dealAll());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BatchDealingOfManySets)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The steps each set takes when its skip is stepped: the seeding step, the
// skip, 52 for each dealing attempt of its boards.
void BareGeneratorStepsOfManySets(benchmark::State& state) {
  struct Steps {
    std::uint32_t start;
    int count;
    std::uint32_t end;
  };
  std::vector<Steps> steps;
  for (const SetParameters& p : manySets()) {
    Generator generator(seededState(p));
    Board board;
    int attempts = 0;
    for (int n = 1; n <= p.boardCount; ++n) attempts += dealCards(board, generator);
    const int skip = skipCount(p) > 0 ? skipCount(p) : 0;
    steps.push_back({seedPattern(seedValue(p)), 1 + skip + 52 * attempts, generator.state()});
  }
  for (const Steps& s : steps) {
    std::uint32_t check = s.start;
    for (int i = 0; i < s.count; ++i) check = generatorStep(check);
    if (check != s.end) state.SkipWithError("the bare loop does not end where the dealer does");
  }

  for (auto _ : state) {
    std::uint32_t last = 0;
    for (const Steps& s : steps) {
      std::uint32_t x = s.start;
      benchmark::DoNotOptimize(x);
      for (int i = 0; i < s.count; ++i) x = generatorStep(x);
      last ^= x;
    }
    benchmark::DoNotOptimize(last);
  }
}
BENCHMARK(BareGeneratorStepsOfManySets)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

const bench::CompareBenchmarks kBatchDealing("batch dealing, 10,000 sets", "BatchDealingOfManySets",
                                             "BareGeneratorStepsOfManySets");

}  // namespace
}  // namespace kveld
