#pragma once
// Small facts about the running program that only the system can tell.
#include <string>

namespace kveld {

// The number the system gives this running program, unique among the
// programs running at the same time.
unsigned long processNumber();

// Whether a program with that process number runs now (one of another user
// counts too).
bool processRuns(unsigned long number);

// Whether standard error goes to a terminal (a console on Windows), where a
// progress display belongs, rather than to a file or a pipe.
bool standardErrorIsTerminal();

// The folder holding the running program file, as UTF-8 text without a
// trailing separator ("/usr/bin", "C:\Program Files\Kveld"). A failure of
// the system to tell raises RunTimeError.
std::string programFolder();

}  // namespace kveld
