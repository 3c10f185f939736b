#include "app/main_flow.h"

#include <new>

#include "archive/archive_file.h"
#include "archive/end_of_set.h"
#include "core/flow_control.h"
#include "core/program.h"
#include "deal/board_one.h"
#include "deal/control_entry.h"
#include "deal/dealing.h"
#include "fail/error_handler.h"
#include "settings/ini_file.h"
#include "settings/setup.h"

namespace kveld {

namespace {

constexpr int kFirstUnhandledError = 241;
constexpr int kUnhandledExitCode = 255;

// The fixed sequence of a run, entered at one of its three points.
void runSteps(Program& p, EntryPoint from) {
  switch (from) {
    case EntryPoint::titleScreen: p.kit.drawTitleScreen(); [[fallthrough]];
    case EntryPoint::readSettings: readSettings(p); [[fallthrough]];
    case EntryPoint::setupCheck:
      if (!p.settingsValid) runSetup(p);
      break;
  }
  do {
    enterControlString(p);
    confirmBoardOne(p);
  } while (!p.dealConfirmed);
  shuffleRemainingBoards(p);
  nameArchiveFile(p);
  writeArchiveFile(p);
  endOfSetDialogs(p);
}

}  // namespace

int runProgram(ConsoleDevice& device, System& system) {
  ProgramTables tables;
  ConsoleKit kit(device, tables);
  Program program(tables, kit, system);

  bool started = false;
  EntryPoint next = EntryPoint::titleScreen;
  for (;;) {
    int errorNumber = 0;
    try {
      if (!started) {
        // The tables are filled before the console is prepared (rather than
        // after) so that a failure to prepare it can already be shown by the
        // error handler, which reads them.
        initProgramTables(tables);
        started = true;
        device.open("Kveld Archive");
      }
      runSteps(program, next);
      kit.present();
      return 0;
    } catch (const Reenter& r) {
      next = r.point;
      continue;
    } catch (const EndedBeforeStart&) {
      return 0;  // nothing was drawn, and the console is back as it was
    } catch (const EndProgram& e) {
      kit.present();
      return e.exitCode;
    } catch (const RunTimeError& e) {
      errorNumber = e.number();
    } catch (const std::bad_alloc&) {
      // Memory running out is one more run-time error, shown like the others.
      errorNumber = err::kOutOfMemory;
    }

    if (errorNumber >= kFirstUnhandledError) return kUnhandledExitCode;
    try {
      runtimeErrorHandler(program, errorNumber);
    } catch (const Reenter& r) {
      next = r.point;
    } catch (const EndProgram& e) {
      kit.present();
      return e.exitCode;
    } catch (const RunTimeError& e) {
      // The handler deals with its own failures; one that still escapes ends
      // the run rather than starting another round of handling.
      kit.present();
      return e.number() >= kFirstUnhandledError ? kUnhandledExitCode : 0;
    }
  }
}

}  // namespace kveld
