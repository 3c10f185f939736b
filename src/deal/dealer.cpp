#include "deal/dealer.h"

#include "app/program.h"

namespace kveld {
// Not built yet.
void shuffleRemainingBoards(Program&) {}
}  // namespace kveld
