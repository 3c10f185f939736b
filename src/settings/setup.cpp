#include "settings/setup.h"

#include <algorithm>

#include "app/commands.h"
#include "app/flow_control.h"
#include "app/program.h"
#include "platform/process_number.h"
#include "settings/settings_file.h"

namespace kveld {
namespace {

constexpr int kMostInstallations = 10;
constexpr std::size_t kShownLength = 60;

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string upperAscii(std::string text) {
  for (char& c : text) c = upperAscii(c);
  return text;
}

bool startsWithDeal(std::string_view name) {
  constexpr std::string_view kDeal = "DEAL";
  if (name.size() < kDeal.size()) return false;
  for (std::size_t i = 0; i < kDeal.size(); ++i)
    if (upperAscii(name[i]) != kDeal[i]) return false;
  return true;
}

std::string shownForm(const std::string& path) {
  return path.size() <= kShownLength ? path : path.substr(0, kShownLength - 3) + "...";
}

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
  kit.playSound("beep2");
  kit.waitKey();
  throw EndProgram{0};
}

void askForDrive(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.clearWorkArea();
  kit.setColour(yellow, blue);
  kit.moveTo(10, 4);
  kit.printLine("SETUP needs to establish a link to the DeepFinesse program.");
  kit.moveTo(10, 5);
  kit.print("Specify the drive letter where DeepFinesse is located: ");
  kit.setColour(black, white);
  kit.print(" C ");
  p.driveSpec = "C:";
  kit.flushKeys();
  kit.moveTo(66, 5);
  kit.showCursor();
  for (;;) {
    const std::string key = kit.waitKeyUpper();
    if (key == p.tables.escKey) quitDialog(p);
    if (key == p.tables.enterKey) return;
    if (key.size() == 1 && key >= "B" && key <= "Z") {
      p.driveSpec = key + ":";
      kit.moveTo(66, 5);
      kit.print(key);
      kit.moveTo(66, 5);
    } else {
      kit.playSound("beep2");
    }
  }
}

// Has the drive listed into the scratch file and takes the installations
// from it. The scratch file is gone afterwards, whatever happened. Its name
// carries the program's process number, so that two copies setting up in
// one folder at once keep to their own listings.
void searchDrive(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.setColour(yellow, blue);
  kit.hideCursor();
  kit.moveTo(10, 7);
  kit.printLine("Searching for program files on drive " + p.driveSpec);
  kit.moveTo(10, 8);
  kit.printLine("This may take a little time.  Please wait...");
  kit.present();

  const std::string scratch = p.tables.scratchFileName + std::to_string(processNumber());
  std::string listing;
  try {
    p.system.listArchiveFolders(p.driveSpec, scratch);
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

  const FoundInstallations found = parseListing(listing, p.driveSpec);
  p.foundCount = static_cast<std::int16_t>(found.count);
  for (int i = 1; i <= found.count; ++i) {
    const auto n = static_cast<std::size_t>(i);
    p.foundPath[n] = found.path[n];
    p.foundPathShown[n] = found.shown[n];
  }
}

void showTheOne(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.moveTo(15, 10);
  kit.printLine("DeepFinesse program files found at:" + std::string(23, ' '));
  kit.setColour(white);
  kit.moveTo(10, 11);
  kit.printLine(p.foundPathShown[1]);
  kit.setColour(yellow);
  p.settings.dfDirectory = p.foundPath[1];
  kit.present();  // on screen while the folder is searched for the executable
}

// The choice among several installations. With ten, the tenth entry is on
// row 21, so the prompt goes to row 22 and the key "0" chooses the tenth.
void chooseOne(Program& p) {
  ConsoleKit& kit = p.kit;
  const int count = p.foundCount;
  kit.moveTo(10, 10);
  kit.printLine("Multiple DeepFinesse installations found:" + std::string(16, ' '));
  kit.printLine("");
  for (int i = 1; i <= count; ++i) {
    kit.setColour(lightCyan);
    kit.moveTo(10, 0);
    kit.print("(" + std::to_string(i) + ") ");
    kit.setColour(white);
    kit.printLine(p.foundPathShown[static_cast<std::size_t>(i)]);
  }
  kit.setColour(yellow);
  kit.showCursor();
  kit.moveTo(10, count == kMostInstallations ? 22 : 21);
  kit.print("* Select ");
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
      p.settings.dfDirectory = p.foundPath[static_cast<std::size_t>(number)];
      return;
    }
    kit.playSound("beep2");
  }
}

}  // namespace

FoundInstallations parseListing(std::string_view listing, std::string_view driveSpec) {
  FoundInstallations found;
  const std::size_t end = std::min(listing.find('\x1a'), listing.size());
  std::size_t pos = 0;
  while (pos < end && found.count < kMostInstallations) {
    const std::size_t lineEnd = std::min(listing.find('\r', pos), end);
    const std::string_view line = listing.substr(pos, lineEnd - pos);
    pos = lineEnd < end ? lineEnd + 1 : end;
    if (pos < end && listing[pos] == '\n') ++pos;

    if (line.substr(0, 2) != driveSpec) break;
    const std::size_t slash = line.rfind('\\');
    if (slash == std::string_view::npos || !startsWithDeal(line.substr(slash + 1))) continue;
    ++found.count;
    const auto n = static_cast<std::size_t>(found.count);
    found.path[n] = std::string(line.substr(0, slash));
    found.shown[n] = shownForm(found.path[n]);
  }
  return found;
}

void runSetup(Program& p) {
  askForDrive(p);
  searchDrive(p);
  if (p.foundCount == 0) {
    halt(p, 9,
         " DeepFinesse program files not found on Drive " + p.driveSpec.substr(0, 1) + ". Program halted ",
         false);
  }
  if (p.foundCount == 1) {
    showTheOne(p);
  } else {
    chooseOne(p);
  }
  const std::string executable = p.system.findFirstFile(p.settings.dfDirectory, "d*.exe");
  if (executable.empty()) halt(p, 14, " DeepFinesse executable file not found.  Program halted. ", true);
  p.settings.dfExecutable = upperAscii(executable);
  finishSetup(p);
}

void finishSetup(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.clearWorkArea();
  kit.showCursor();
  kit.setColour(yellow);
  kit.moveTo(15, 8);
  kit.print("Preparing Initialization file...");
  kit.present();
  writeSettings(p, p.settings);
  kit.pause(1000);
  kit.hideCursor();
  kit.setColour(yellow);
  kit.moveTo(15, 10);
  kit.printLine("DONE! Setup is complete.");
  kit.moveTo(15, 14);
  kit.printLine("Should you later move the DeepFinesse program files,     ");
  kit.moveTo(15, 15);
  kit.printLine("it would be necessary either to edit KVELD.INI, ");
  kit.moveTo(15, 16);
  kit.printLine("or delete it -- in which case SETUP would re-create it.");
  kit.setColour(white, magenta);
  kit.moveTo(34, 20);
  kit.print(" <any key> ");
  kit.playSound("notify2");
  kit.waitKey();
}

}  // namespace kveld
