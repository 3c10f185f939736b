#include "driver_sounds.h"

#include <sstream>

namespace driver {

std::vector<std::string> soundsInTrace(const std::string& trace) {
  // 0118:trace:winmm:proc_PlaySound SoundName=L"BEEP2" !
  static const std::string marker = ":trace:winmm:proc_PlaySound SoundName=L\"";
  std::vector<std::string> names;
  std::istringstream lines(trace);
  std::string line;
  while (std::getline(lines, line)) {
    const auto at = line.find(marker);
    if (at == std::string::npos) continue;
    const auto from = at + marker.size();
    const auto end = line.find('"', from);
    if (end != std::string::npos) names.push_back(line.substr(from, end - from));
  }
  return names;
}

}  // namespace driver
