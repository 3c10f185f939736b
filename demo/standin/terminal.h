#pragma once
// The little the stand-in needs of its console: a whole screen of lines, and
// one key at a time.
#include <string>
#include <vector>

namespace standin {

// Clears the console and writes the lines from its top-left corner.
void showScreen(const std::vector<std::string>& lines);

// Waits for one key and returns its character (Enter as '\r' or '\n'),
// or -1 when no more input can come.
int readKey();

}  // namespace standin
