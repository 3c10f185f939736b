#pragma once
#include <string_view>

namespace kveld {
// The WAVE file of a sound of the program ("beep2", "notify2"), built into
// the program; empty for an unknown name.
std::string_view soundWave(std::string_view name);
}  // namespace kveld
