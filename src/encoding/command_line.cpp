#include "encoding/command_line.h"

namespace kveld {

bool holdsInterpreterSyntax(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32) return true;
    if (std::string_view("&|<>^%\"").find(c) != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace kveld
