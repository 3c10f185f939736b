#pragma once
// A whole set dealt in one call, without a console: what a program that
// deals many sets needs.
#include <cstdint>

#include "rules/deal_store.h"
#include "rules/set_parameters.h"

namespace kveld {

// Seeds the generator from the set's values and deals the cards of Boards 1
// to boardCount into handBits of the store, as the interactive program deals
// them; the texts of the hands (suitHolding, handLine) are left as they
// were. Returns the generator state after the last board.
std::uint32_t dealSetCards(DealStore& store, const SetParameters& params);

}  // namespace kveld
