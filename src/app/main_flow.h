#pragma once
// The program's single entry: prepares the console, fills the tables and runs
// the screens of a run in their fixed order, with the three re-entry points.
#include "platform/console_device.h"
#include "platform/system.h"

namespace kveld {

// Runs the program on the given console and system; returns the exit code.
int runProgram(ConsoleDevice& device, System& system);

}  // namespace kveld
