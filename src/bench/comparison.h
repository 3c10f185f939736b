#pragma once
// Pairs of benchmarks to compare: after all benchmarks have run, the bench
// program prints for each pair "NAME: OURS vs REFERENCE = RATIO", the times
// per iteration and their ratio.
#include <string>
#include <utility>
#include <vector>

namespace kveld::bench {

struct Comparison {
  std::string name;
  std::string ours;       // benchmark function name
  std::string reference;  // benchmark function name
};

inline std::vector<Comparison>& comparisons() {
  static std::vector<Comparison> list;
  return list;
}

// Declared at namespace scope beside the two benchmarks it compares.
struct CompareBenchmarks {
  CompareBenchmarks(std::string name, std::string ours, std::string reference) {
    comparisons().push_back({std::move(name), std::move(ours), std::move(reference)});
  }
};

}  // namespace kveld::bench
