#pragma once
// The pieces of one program for a test: the tables filled, a console device,
// the kit over it and the program object over a system (by default the fake
// one over the real files of the test's temporary folder).
#include <type_traits>

#include "core/console_kit.h"
#include "core/program.h"
#include "core/program_tables.h"
#include "testing/fake_system.h"
#include "testing/scripted_console.h"

namespace kveld {

template <typename Device = ScriptedConsole, typename Sys = FakeSystem>
struct ProgramParts {
  ProgramParts() { initProgramTables(tables); }
  static Sys makeSystem() {
    if constexpr (std::is_same_v<Sys, FakeSystem>) {
      return FakeSystem(FakeSystem::onDisk);
    } else {
      return Sys();
    }
  }
  ProgramTables tables;
  Device device;
  ConsoleKit kit{device, tables};
  Sys system = makeSystem();
  Program program{tables, kit, system};
};

}  // namespace kveld
