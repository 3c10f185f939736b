#pragma once
#include <string>

namespace kveld {

// Where DeepFinesse is installed, as the settings file or setup gives it.
struct Settings {
  std::string dfDirectory;   // drive-qualified, no trailing backslash
  std::string dfExecutable;  // file name inside dfDirectory, upper case
};

}  // namespace kveld
