#pragma once
// The quit question and the outside commands that several screens share.
#include <string>

namespace kveld {
struct Program;

// " Quit program?  (Y/n) ": ends the program or re-enters at the title
// screen; never returns.
[[noreturn]] void quitDialog(Program& program);

// The address of the program's manual: a file address into the documentation
// folder installed with the program (or copied beside it in the build folder).
std::string onlineManualAddress();

// Opens the manual in the user's web browser and returns when the command
// that hands it over has ended, the console lent to that command meanwhile.
// False when nothing here can open it.
bool openOnlineManual(Program& program);

}  // namespace kveld
