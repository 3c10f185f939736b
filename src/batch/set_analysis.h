#pragma once
// The double-dummy results of a dealt set, board by board, for the formats
// that show them.
#include <vector>

#include "analysis/double_dummy.h"

namespace kveld::batch {

struct SetAnalysis {
  std::vector<analysis::BoardAnalysis> boards;  // Boards 1.. in order
};

}  // namespace kveld::batch
