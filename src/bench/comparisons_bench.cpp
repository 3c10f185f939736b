// The bench program's main: runs the benchmarks with the usual console
// report, then prints the comparisons registered beside them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/comparison.h"

namespace {

// The console report, keeping each benchmark's time per iteration in
// nanoseconds (the median when a benchmark is repeated): CPU time, or wall
// time for a benchmark measured in real time (one that waits for another
// process, whose CPU time is not its own).
class KeepingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!single && !median) continue;
      const double time =
          run.run_name.time_type == "real_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
      const double ns = time / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
      nanoseconds[run.run_name.function_name] = ns;
    }
  }
  std::map<std::string, double> nanoseconds;
};

std::string timeText(double ns) {
  char text[32];
  if (ns >= 1e6) {
    std::snprintf(text, sizeof text, "%.3f ms", ns / 1e6);
  } else if (ns >= 1e3) {
    std::snprintf(text, sizeof text, "%.2f us", ns / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f ns", ns);
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  KeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n");
  for (const auto& c : kveld::bench::comparisons()) {
    const auto ours = reporter.nanoseconds.find(c.ours);
    const auto reference = reporter.nanoseconds.find(c.reference);
    if (ours == reporter.nanoseconds.end() || reference == reporter.nanoseconds.end()) {
      std::printf("%s: not measured\n", c.name.c_str());
      continue;
    }
    std::printf("%s: %s vs %s = %.2f\n", c.name.c_str(), timeText(ours->second).c_str(),
                timeText(reference->second).c_str(), ours->second / reference->second);
  }
  return 0;
}
