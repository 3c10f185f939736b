// Dealing a whole set against the generator alone: the dealer should cost
// little beyond the steps of the generator it has to make anyway.
#include <benchmark/benchmark.h>

#include <array>

#include "rules/dealer.h"
#include "bench/comparison.h"

namespace kveld {
namespace {

// 36 boards with the largest skip: session 4, deal offset 2767, so 32767
// values are discarded after seeding.
SetParameters largestSkipSet() {
  SetParameters p;
  p.yearNumber = 1;
  p.monthNumber = 1;
  p.dayOfMonth = 1;
  p.sessionNumber = 4;
  p.dealOffset = 2767;
  p.boardCount = 36;
  return p;
}

struct BenchDealer {
  // Seeds and deals the whole set; returns the final generator state and
  // counts the dealing attempts.
  std::uint32_t deal(const SetParameters& params, int* attempts = nullptr) {
    Generator generator(seededState(params));
    int total = 0;
    for (int n = 1; n <= params.boardCount; ++n)
      total += dealCards(boards[static_cast<std::size_t>(n)], generator);
    if (attempts != nullptr) *attempts = total;
    return generator.state();
  }
  std::array<Board, kMaxBoards + 1> boards{};
};

void DealLargestSkipSet(benchmark::State& state) {
  BenchDealer dealer;
  const SetParameters params = largestSkipSet();
  for (auto _ : state) {
    benchmark::DoNotOptimize(dealer.deal(params));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(DealLargestSkipSet)->Repetitions(7)->ReportAggregatesOnly(true);

// The same number of generator steps in a bare loop: the seeding step, the
// skip and 52 per dealing attempt.
void BareGeneratorStepsOfTheSet(benchmark::State& state) {
  BenchDealer dealer;
  const SetParameters params = largestSkipSet();
  int attempts = 0;
  const std::uint32_t dealt = dealer.deal(params, &attempts);
  const int steps = 1 + skipCount(params) + 52 * attempts;
  const std::uint32_t start = seedPattern(seedValue(params));

  std::uint32_t check = start;
  for (int i = 0; i < steps; ++i) check = generatorStep(check);
  if (check != dealt) state.SkipWithError("the bare loop does not end where the dealer does");

  for (auto _ : state) {
    std::uint32_t s = start;
    benchmark::DoNotOptimize(s);
    for (int i = 0; i < steps; ++i) s = generatorStep(s);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BareGeneratorStepsOfTheSet)->Repetitions(7)->ReportAggregatesOnly(true);

const bench::CompareBenchmarks kDealingCost("dealing 36 boards, session 4, deal offset 2767",
                                            "DealLargestSkipSet", "BareGeneratorStepsOfTheSet");

}  // namespace
}  // namespace kveld
