// Reading, writing, replacing and deleting files (first cut: not built yet).
#include "platform/real_system.h"

namespace kveld {

std::string RealSystem::readFile(const std::string& path) {
  throw RunTimeError(err::kInternal, "reading " + path + " is not built yet");
}
void RealSystem::writeFile(const std::string& path, const std::string&) {
  throw RunTimeError(err::kInternal, "writing " + path + " is not built yet");
}
void RealSystem::replaceFile(const std::string& path, const std::string&) {
  throw RunTimeError(err::kInternal, "writing " + path + " is not built yet");
}
void RealSystem::deleteFile(const std::string& path) {
  throw RunTimeError(err::kInternal, "deleting " + path + " is not built yet");
}

}  // namespace kveld
