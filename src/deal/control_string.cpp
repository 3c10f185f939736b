#include "deal/control_string.h"

#include "app/program.h"

namespace kveld {
// Not built yet.
void enterControlString(Program&) {}
}  // namespace kveld
