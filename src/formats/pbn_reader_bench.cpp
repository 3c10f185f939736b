// Reading a PBN file of 100,000 boards and checking every board, timed
// for tests/batch/pbn_bench.js, which times a PBN reader under Node on the
// same file and prints the comparison. Registered only when that script
// names the file (KVELD_PBN_FILE), which this benchmark writes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "formats/formats.h"
#include "rules/control_string.h"
#include "rules/dealer.h"

namespace kveld::formats {
namespace {

constexpr int kBoards = 100000;

// One set of boards numbered 1 to 100,000, dealt for control strings of
// evenly drawn digits, as a dealing program's PBN export.
std::string manyBoards() {
  std::mt19937 random(2026);
  DealSet set;
  set.event = "Bench";
  set.site = "Bridge Club";
  set.date = "2026.01.01";
  while (set.boards.size() < kBoards) {
    ControlDigits digits{};
    for (std::size_t k = 1; k <= 9; ++k) digits[k] = static_cast<std::int16_t>(random() % 10);
    for (Board b : dealSet(decodeControlDigits(digits))) {
      if (set.boards.size() == kBoards) break;
      b.number = static_cast<int>(set.boards.size()) + 1;
      set.boards.push_back(boardByNumber(b));
    }
  }
  return fileOf(*findFormat("pbn"), set, {"\r\n", "kveld_bench"}).bytes;
}

void ReadingPbnFile(benchmark::State& state, const std::string& path) {
  const std::string bytes = manyBoards();
  std::ofstream(path, std::ios::binary) << bytes;
  for (auto _ : state) {
    const Read read = readDealFile(bytes);
    if (read.sets.size() != 1 || read.sets[0].boards.size() != kBoards) {
      state.SkipWithError("the file does not give its 100,000 boards");
      break;
    }
    benchmark::DoNotOptimize(read.sets[0].boards.back());
  }
}

const bool kRegistered = [] {
  if (const char* path = std::getenv("KVELD_PBN_FILE"))
    benchmark::RegisterBenchmark("ReadingPbnFile", ReadingPbnFile, std::string(path))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5)
        ->UseRealTime();
  return true;
}();

}  // namespace
}  // namespace kveld::formats
