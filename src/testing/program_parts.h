#pragma once
// The pieces of one program for a test: the tables filled, a console device,
// the kit over it and the program object over a system.
#include "core/console_kit.h"
#include "core/program.h"
#include "core/program_tables.h"
#include "testing/scripted_console.h"
#include "testing/recording_system.h"

namespace kveld {

template <typename Device = ScriptedConsole, typename Sys = RecordingSystem>
struct ProgramParts {
  ProgramParts() { initProgramTables(tables); }
  ProgramTables tables;
  Device device;
  ConsoleKit kit{device, tables};
  Sys system;
  Program program{tables, kit, system};
};

}  // namespace kveld
