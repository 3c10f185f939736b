#include "platform/paths.h"

namespace kveld {

// First cut: drive C: is the root and backslashes become slashes.
std::string nativePath(const std::string& programPath) {
  std::string p = programPath;
  if (p.size() >= 2 && p[1] == ':') p = p.substr(2);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

}  // namespace kveld
