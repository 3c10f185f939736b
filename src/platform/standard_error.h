#pragma once
// What the program's standard error is connected to.

namespace kveld {

// Whether standard error goes to a terminal (a console on Windows), where a
// progress display belongs, rather than to a file or a pipe.
bool standardErrorIsTerminal();

}  // namespace kveld
