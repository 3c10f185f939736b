#include "app/commands.h"

#include "app/flow_control.h"
#include "app/manual_address.h"
#include "app/program.h"
#include "platform/program_folder.h"

namespace kveld {

void quitDialog(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.moveTo(4, p.tables.messageRow);
  kit.setColour(yellow, blue);
  kit.print(p.tables.blank74);
  kit.showCursor();
  kit.flushKeys();
  kit.setColour(white, magenta);
  kit.moveTo(30, p.tables.messageRow);
  kit.print(" Quit program?  (Y/n) ");
  kit.showCursor();
  kit.moveTo(47, 0);
  kit.playSound("notify2");
  if (kit.askYesNo(Answer::yes) == Answer::no) throw Reenter{EntryPoint::titleScreen};
  kit.setColour(yellow, blue);
  kit.clearScreen();
  throw EndProgram{0};
}

std::string onlineManualAddress() { return manualAddress(programFolder(), fileExists); }

bool openOnlineManual(Program& p) {
  bool opened = true;
  p.kit.runOutside([&] { opened = p.system.openAddress(onlineManualAddress()); });
  return opened;
}

}  // namespace kveld
