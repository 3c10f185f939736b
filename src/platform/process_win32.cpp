// Starting other programs (first cut: not built yet).
#include "platform/real_system.h"

namespace kveld {

void RealSystem::openAddress(const std::string& address) {
  throw RunTimeError(err::kInternal, "opening " + address + " is not built yet");
}
void RealSystem::startProgram(const std::string&, const std::string&, const std::string& executable) {
  throw RunTimeError(err::kInternal, "starting " + executable + " is not built yet");
}

}  // namespace kveld
