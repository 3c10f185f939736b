#pragma once
// Running command lines on Windows through the command interpreter named by
// "comspec".
#include <string>

namespace kveld {

// The command interpreter that "comspec" names; empty without it.
std::wstring commandInterpreter();

// Runs a command line as a new process with a normal window, no inherited
// handles, the program's environment and current folder, and waits without
// a time limit until it has ended. Its exit code is not looked at. A start
// that fails raises the system's error, saying it was starting `what`.
void runCommandAndWait(const std::wstring& commandLine, const std::string& what);

}  // namespace kveld
