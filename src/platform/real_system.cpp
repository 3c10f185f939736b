#include "platform/real_system.h"

namespace kveld {

std::unique_ptr<System> makeRealSystem() { return std::make_unique<RealSystem>(); }

}  // namespace kveld
