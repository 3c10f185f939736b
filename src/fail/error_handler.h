#pragma once
namespace kveld {
struct Program;
// The one handler of run-time errors. It never returns normally: it ends
// the program (EndProgram) or re-enters the main flow (Reenter).
[[noreturn]] void runtimeErrorHandler(Program& program, int errorNumber);
}  // namespace kveld
