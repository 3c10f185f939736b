#pragma once
// The quit question that several screens share.

namespace kveld {
struct Program;

// " Quit program?  (Y/n) ": ends the program or re-enters at the title
// screen; never returns.
[[noreturn]] void quitDialog(Program& program);

}  // namespace kveld
