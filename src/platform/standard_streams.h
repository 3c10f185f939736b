#pragma once
// What a command-line program takes from the system: its arguments, and
// standard input and output that carry bytes unchanged.
#include <string>
#include <vector>

namespace kveld {

// The program's arguments (without the program name) in UTF-8.
std::vector<std::string> programArguments(int argc, char** argv);

// Makes standard input and output pass bytes through as they are, so that a
// file written to standard output has the same bytes on every system.
void useBinaryStandardStreams();

// The line end of text meant for this system's terminals and editors.
const char* nativeLineEnd();

}  // namespace kveld
