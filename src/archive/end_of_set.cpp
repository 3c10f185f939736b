#include "archive/end_of_set.h"

#include "app/program.h"

namespace kveld {
// Not built yet.
void endOfSetDialogs(Program&) {}
}  // namespace kveld
