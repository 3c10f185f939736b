#pragma once
// The program-wide records that the step routines share. One object per run,
// so that a test can run many programs.
#include <cstdint>
#include <string>

#include "core/console_kit.h"
#include "core/program_tables.h"
#include "rules/deal_store.h"
#include "rules/set_parameters.h"
#include "platform/system.h"
#include "rules/settings.h"

namespace kveld {

struct Program {
  Program(const ProgramTables& t, ConsoleKit& k, System& s) : tables(t), kit(k), system(s) {}

  const ProgramTables& tables;
  ConsoleKit& kit;
  System& system;

  // Flow flags.
  bool settingsValid = false;
  bool dealConfirmed = false;

  Settings settings;
  SetParameters params;

  std::uint32_t generatorState = 0;
  DealStore deals;

  std::string driveSpec;  // "C:" once setup has run in this run, else empty
};

}  // namespace kveld
