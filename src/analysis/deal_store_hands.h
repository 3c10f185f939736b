#pragma once
// The boards of a dealt set as the analysis takes them.
#include <vector>

#include "analysis/double_dummy.h"
#include "deal/deal_store.h"

namespace kveld::analysis {

// Boards 1..boardCount of the store, each with the dealer and vulnerability
// its number gives.
std::vector<BoardHands> handsOfSet(const DealStore& store, int boardCount);

}  // namespace kveld::analysis
