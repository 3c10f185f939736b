// Finding a file by wildcard and listing a drive (first cut: not built yet).
#include "platform/real_system.h"

namespace kveld {

std::string RealSystem::findFirstFile(const std::string& folder, const std::string&) {
  throw RunTimeError(err::kInternal, "searching " + folder + " is not built yet");
}
void RealSystem::listArchiveFolders(const std::string& driveSpec, const std::string&) {
  throw RunTimeError(err::kInternal, "listing " + driveSpec + " is not built yet");
}

}  // namespace kveld
