#include "settings/setup.h"

#include "app/program.h"

namespace kveld {
// Not built yet.
void runSetup(Program&) {}
}  // namespace kveld
