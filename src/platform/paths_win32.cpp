#include "platform/paths.h"

namespace kveld {

std::string nativePath(const std::string& programPath) { return programPath; }

}  // namespace kveld
