#pragma once
// The one handler of run-time errors. The screen it shows depends on the
// error's number alone: 53 the missing-settings notice, 75 the file access
// error, 76 the archive-folder question, any other the general halt.

namespace kveld {
struct Program;

// It never returns normally: it ends the program (EndProgram, exit code 0)
// or re-enters the main flow (Reenter at ReadSettings or SetupCheck).
// Numbers of 241 and above never reach it; the main flow ends at once.
[[noreturn]] void runtimeErrorHandler(Program& program, int errorNumber);

}  // namespace kveld
