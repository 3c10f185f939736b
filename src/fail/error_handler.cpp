#include "fail/error_handler.h"

#include <string_view>

#include "core/console_kit.h"
#include "core/flow_control.h"
#include "core/program.h"

namespace kveld {

namespace {

constexpr int kErrorLocation = 0;       // the halt screen's ", LINE:" is always 0
constexpr int kSetupAnswerColumn = 63;  // on the "Y" of "(Y/n)"

// The general halt's request, with the build's contact address, all of it
// within the body of the screen (74 cells from kBodyColumn).
constexpr int kContactColumn = 18;
constexpr std::string_view kContactLine = "Please email details to " KVELD_CONTACT;
static_assert(kContactColumn + static_cast<int>(kContactLine.size()) <= kBodyColumn + 74,
              "KVELD_CONTACT is too long for the general halt's line");

[[noreturn]] void generalHalt(Program& p, int errorNumber) {
  ConsoleKit& kit = p.kit;
  kit.setColour(yellow, blue);
  kit.hideCursor();
  kit.eraseWorkArea();
  kit.showCursor();
  kit.printAt(28, 12, " ERROR:");
  kit.printNumber(errorNumber);
  kit.print(", LINE:");
  kit.printNumber(kErrorLocation);
  kit.printLine("");
  kit.printLineAt(27, 14, "Sorry -- program halted. ");
  kit.printLineAt(kContactColumn, 16, kContactLine);
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
    kit.printLineAt(10, row, blank62);
  }
  kit.printAt(11, 11, "The initialization file KVELD.INI is missing or corrupted.");
  kit.printAt(28, 14, "A new file will be created.");
  kit.printAt(37, 17, "<any key>");
  kit.playSound(Sound::beep2);
  kit.waitAnyKey(true);
  kit.setColour(yellow, blue);
  emptySettingsFile(p);
  // The panel stays until the next screen draws over it.
  throw Reenter{EntryPoint::readSettings};
}

[[noreturn]] void fileAccessError(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.printLineAt(31, 10, " File Access Error ");
  kit.setColour(yellow, blue);
  kit.printLineAt(17, 12, " A program file unexpectedly has been set as    ");
  kit.printLineAt(17, 13, " read-only, or the path to the file is invalid. ");
  kit.printLineAt(30, 15, " Execution halted. ");
  kit.playSound(Sound::beep2);
  kit.waitAnyKey(true);
  throw EndProgram{0};
}

[[noreturn]] void archiveFolderMissing(Program& p) {
  ConsoleKit& kit = p.kit;
  const ProgramTables& t = p.tables;
  kit.printLineAt(8, 10, " The DeepFinesse archive directory has been moved or deleted. ");
  kit.setColour(yellow, blue);
  kit.printAt(8, 13, " KVELD needs to be reinstalled. Continue with setup?  (Y/n)");
  kit.playSound(Sound::beep2);
  kit.flushKeys();
  kit.moveTo(kSetupAnswerColumn, 0);
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

void runtimeErrorHandler(Program& p, int errorNumber) {
  ConsoleKit& kit = p.kit;
  // The body is erased in whatever colours were current when the error came.
  kit.hideCursor();
  kit.eraseWorkArea();
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
