#include "archive/end_of_set.h"

#include "app/flow_control.h"
#include "app/program.h"

namespace kveld {

namespace {

void startDeepFinesse(Program& p) {
  p.kit.runOutside([&] { p.system.startProgram(p.driveSpec, p.settings.dfDirectory, p.settings.dfExecutable); });
}

}  // namespace

void endOfSetDialogs(Program& p) {
  ConsoleKit& kit = p.kit;
  // Keys pressed while the set was written are not discarded.
  kit.moveTo(25, 17);
  kit.print("DONE.  Enter another set?  (y/N)");
  kit.playSound("notify2");
  kit.showCursor();
  kit.moveTo(55, 0);
  if (kit.askYesNo(Answer::no) == Answer::yes) throw Reenter{EntryPoint::titleScreen};

  kit.moveTo(25, 20);
  kit.print("Run Deep Finesse Now?  (Y/n)");
  kit.moveTo(49, 0);
  if (kit.askYesNo(Answer::yes) != Answer::yes) throw EndProgram{0};
  startDeepFinesse(p);
}

}  // namespace kveld
