#pragma once
// Where the running program file lives.
#include <string>

namespace kveld {

// The folder holding the running program file, as UTF-8 text without a
// trailing separator ("/usr/bin", "C:\Program Files\Kveld"). A failure of
// the system to tell raises RunTimeError.
std::string programFolder();

}  // namespace kveld
