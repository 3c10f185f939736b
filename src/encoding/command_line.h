#pragma once
// Text placed into command lines for the Windows command interpreter.
#include <string_view>

namespace kveld {

// True when `name` holds a character that the command interpreter reads as
// part of its own syntax (& | < > ^ % and the double quote) or a control
// character, so that placed unquoted in a command line it could run other
// commands or split the line. The program files that setup finds hold none.
bool holdsInterpreterSyntax(std::string_view name);

}  // namespace kveld
