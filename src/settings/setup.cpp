#include "settings/setup.h"

#include <algorithm>

#include "core/flow_control.h"
#include "core/program.h"
#include "core/quit_question.h"
#include "encoding/ascii.h"
#include "platform/process_facts.h"
#include "rules/archive_text.h"
#include "rules/listing.h"
#include "settings/ini_file.h"

namespace kveld {
namespace {

// Where the drive letter is typed, inside " C " after the question.
constexpr int kDriveColumn = 66;
constexpr int kDriveRow = 5;

// Ends the program after a halt message on the message row.
[[noreturn]] void halt(Program& p, int column, const std::string& text, bool endLine) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.setColour(white, magenta);
  kit.moveTo(column, p.tables.messageRow);
  if (endLine) {
    kit.printLine(text);
  } else {
    kit.print(text);
  }
  kit.playSound(Sound::beep2);
  kit.waitKey();
  throw EndProgram{0};
}

void askForDrive(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.clearWorkArea();
  kit.setColour(yellow, blue);
  kit.printLineAt(10, 4, "SETUP needs to establish a link to the DeepFinesse program.");
  kit.printAt(10, kDriveRow, "Specify the drive letter where DeepFinesse is located: ");
  kit.setColour(black, white);
  kit.print(" C ");
  p.driveSpec = "C:";
  kit.flushKeys();
  kit.moveTo(kDriveColumn, kDriveRow);
  kit.showCursor();
  for (;;) {
    const std::string key = kit.waitKeyUpper();
    if (key == p.tables.escKey) quitDialog(p);
    if (key == p.tables.enterKey) return;
    if (key.size() == 1 && key >= "B" && key <= "Z") {
      p.driveSpec = key + ":";
      kit.printAt(kDriveColumn, kDriveRow, key);
      kit.moveTo(kDriveColumn, kDriveRow);
    } else {
      kit.playSound(Sound::beep2);
    }
  }
}

// Has the drive's archive folders listed into the scratch file and takes
// the installations that hold them from it. The scratch file is gone
// afterwards, whatever happened. Its name carries the program's process
// number, so that two copies setting up in one folder at once keep to their
// own listings.
FoundInstallations searchDrive(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.setColour(yellow, blue);
  kit.hideCursor();
  kit.printLineAt(10, 7, "Searching for program files on drive " + p.driveSpec);
  kit.printLineAt(10, 8, "This may take a little time.  Please wait...");
  kit.present();

  const std::string scratch = p.tables.scratchFileName + std::to_string(processNumber());
  p.system.removeLeftovers(p.tables.scratchFileName);
  std::string listing;
  try {
    p.system.listDrive(p.driveSpec, std::string(kArchiveFolderName), scratch);
    listing = p.system.readFile(scratch);
  } catch (...) {
    try {
      p.system.deleteFile(scratch);
    } catch (const RunTimeError&) {
      // The failure that brought us here is the one to report.
    }
    throw;
  }
  p.system.deleteFile(scratch);

  return parseListing(listing, p.driveSpec);
}

void showTheOne(Program& p, const FoundInstallations& found) {
  ConsoleKit& kit = p.kit;
  kit.printLineAt(15, 10, "DeepFinesse program files found at:" + std::string(23, ' '));
  kit.setColour(white);
  kit.printLineAt(10, 11, found.shown[1]);
  kit.setColour(yellow);
  p.settings.dfDirectory = found.path[1];
  kit.present();  // on screen while the folder is searched for the executable
}

// The choice among several installations. With ten, the tenth entry is on
// row 21, so the prompt goes to row 22 and the key "0" chooses the tenth.
void chooseOne(Program& p, const FoundInstallations& found) {
  ConsoleKit& kit = p.kit;
  const int count = found.count;
  kit.printLineAt(10, 10, "Multiple DeepFinesse installations found:" + std::string(16, ' '));
  kit.printLine("");
  for (int i = 1; i <= count; ++i) {
    kit.setColour(lightCyan);
    kit.printAt(10, 0, "(" + std::to_string(i) + ") ");
    kit.setColour(white);
    kit.printLine(found.shown[static_cast<std::size_t>(i)]);
  }
  kit.setColour(yellow);
  kit.showCursor();
  kit.printAt(10, count == kMostInstallations ? 22 : 21, "* Select ");
  kit.setColour(lightCyan);
  kit.print("number");
  kit.setColour(yellow);
  kit.print(" of desired file set, or (Q)uit program: ");
  kit.flushKeys();
  for (;;) {
    const std::string key = kit.waitKeyUpper();
    if (key == "Q" || key == p.tables.escKey) quitDialog(p);
    int number = (!key.empty() && key[0] >= '0' && key[0] <= '9') ? key[0] - '0' : 0;
    if (number == 0 && count == kMostInstallations && key == "0") number = kMostInstallations;
    if (number >= 1 && number <= count) {
      p.settings.dfDirectory = found.path[static_cast<std::size_t>(number)];
      return;
    }
    kit.playSound(Sound::beep2);
  }
}

// Writes the settings file from program.settings and shows the completion
// notice until a key is pressed.
void finishSetup(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.clearWorkArea();
  kit.showCursor();
  kit.setColour(yellow);
  kit.printAt(15, 8, "Preparing Initialization file...");
  kit.present();
  writeSettings(p, p.settings);
  kit.pause(1000);
  kit.hideCursor();
  kit.setColour(yellow);
  kit.printLineAt(15, 10, "DONE! Setup is complete.");
  kit.printLineAt(15, 14, "Should you later move the DeepFinesse program files,     ");
  kit.printLineAt(15, 15, "it would be necessary either to edit KVELD.INI, ");
  kit.printLineAt(15, 16, "or delete it -- in which case SETUP would re-create it.");
  kit.setColour(white, magenta);
  kit.printAt(34, 20, " <any key> ");
  kit.playSound(Sound::notify2);
  kit.waitKey();
}

}  // namespace

void runSetup(Program& p) {
  askForDrive(p);
  const FoundInstallations found = searchDrive(p);
  if (found.count == 0) {
    halt(p, 9,
         " DeepFinesse program files not found on Drive " + p.driveSpec.substr(0, 1) + ". Program halted ",
         false);
  }
  if (found.count == 1) {
    showTheOne(p, found);
  } else {
    chooseOne(p, found);
  }
  const std::string executable = p.system.findFirstFile(p.settings.dfDirectory, "d*.exe");
  if (executable.empty()) halt(p, 14, " DeepFinesse executable file not found.  Program halted. ", true);
  p.settings.dfExecutable = upperAscii(executable);
  finishSetup(p);
}

}  // namespace kveld
