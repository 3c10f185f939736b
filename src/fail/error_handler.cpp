#include "fail/error_handler.h"

#include "core/flow_control.h"
#include "core/program.h"

namespace kveld {

namespace {

constexpr int kErrorLocation = 0;  // the halt screen's ", LINE:" is always 0

[[noreturn]] void generalHalt(Program& p, int errorNumber) {
  ConsoleKit& kit = p.kit;
  kit.setColour(yellow, blue);
  kit.hideCursor();
  for (int row = 4; row <= 23; ++row) {
    kit.moveTo(4, row);
    kit.print(p.tables.blank74);
  }
  kit.showCursor();
  kit.moveTo(28, 12);
  kit.print(" ERROR:");
  kit.printNumber(errorNumber);
  kit.print(", LINE:");
  kit.printNumber(kErrorLocation);
  kit.printLine("");
  kit.moveTo(27, 14);
  kit.printLine("Sorry -- program halted. ");
  kit.moveTo(18, 16);
  kit.printLine("Please email details to " + maintainerAddress());
  kit.playSound(Sound::beep2);
  // No flush: a key pressed before the halt appeared ends the program.
  kit.waitKey();
  throw EndProgram{0};
}

// Creates KVELD.INI in the current folder as an empty file, or empties it.
// A failure here is not handed back to the handler (that could go round for
// ever, say on a read-only folder): it ends the run with the general halt
// showing its number. Numbers of 241 and above go on to the main flow, which
// ends the run at once as it does for every such failure.
void emptySettingsFile(Program& p) {
  try {
    p.system.writeFile(p.tables.iniFileName, "");
  } catch (const RunTimeError& e) {
    if (e.number() >= err::kSystemFailure) throw;
    generalHalt(p, e.number());
  }
}

[[noreturn]] void settingsNotice(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.setColour(magenta, white);
  const std::string blank62(62, ' ');
  for (int row = 9; row <= 19; ++row) {
    kit.moveTo(10, row);
    kit.printLine(blank62);
  }
  kit.moveTo(11, 11);
  kit.print("The initialization file KVELD.INI is missing or corrupted.");
  kit.moveTo(28, 14);
  kit.print("A new file will be created.");
  kit.moveTo(37, 17);
  kit.print("<any key>");
  kit.playSound(Sound::beep2);
  kit.waitAnyKey(true);
  kit.setColour(yellow, blue);
  emptySettingsFile(p);
  // The panel stays until the next screen draws over it.
  throw Reenter{EntryPoint::readSettings};
}

[[noreturn]] void fileAccessError(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.moveTo(31, 10);
  kit.printLine(" File Access Error ");
  kit.setColour(yellow, blue);
  kit.moveTo(17, 12);
  kit.printLine(" A program file unexpectedly has been set as    ");
  kit.moveTo(17, 13);
  kit.printLine(" read-only, or the path to the file is invalid. ");
  kit.moveTo(30, 15);
  kit.printLine(" Execution halted. ");
  kit.playSound(Sound::beep2);
  kit.waitAnyKey(true);
  throw EndProgram{0};
}

[[noreturn]] void archiveFolderMissing(Program& p) {
  ConsoleKit& kit = p.kit;
  const ProgramTables& t = p.tables;
  kit.moveTo(8, 10);
  kit.printLine(" The DeepFinesse archive directory has been moved or deleted. ");
  kit.setColour(yellow, blue);
  kit.moveTo(8, 13);
  kit.print(" KVELD needs to be reinstalled. Continue with setup?  (Y/n)");
  kit.playSound(Sound::beep2);
  kit.flushKeys();
  kit.moveTo(63, 0);  // on the "Y" of "(Y/n)"
  kit.showCursor();
  for (;;) {
    const std::string key = kit.waitKeyUpper();
    if (key == t.escKey || key == "N") throw EndProgram{0};
    if (key == t.enterKey || key == "Y") break;
    kit.playSound(Sound::beep2);
  }
  emptySettingsFile(p);
  p.settingsValid = false;
  throw Reenter{EntryPoint::setupCheck};
}

}  // namespace

const std::string& maintainerAddress() {
  static const std::string address = "support@kveld-archive.example.org";
  return address;
}

void runtimeErrorHandler(Program& p, int errorNumber) {
  ConsoleKit& kit = p.kit;
  // The body is erased in whatever colours were current when the error came.
  kit.hideCursor();
  for (int row = 4; row <= 23; ++row) {
    kit.moveTo(4, row);
    kit.print(p.tables.blank74);
  }
  kit.showCursor();
  kit.setColour(white, magenta);
  switch (errorNumber) {
    case err::kFileNotFound: settingsNotice(p);
    case err::kPathFileAccess: fileAccessError(p);
    case err::kPathNotFound: archiveFolderMissing(p);
    default: generalHalt(p, errorNumber);
  }
}

}  // namespace kveld
