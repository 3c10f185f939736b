#include "archive/end_of_set.h"

#include "core/flow_control.h"
#include "core/program.h"

namespace kveld {

namespace {

// The cursor waits on the answer each question offers first.
constexpr int kAnotherSetAnswer = 55;  // the "y" of "(y/N)"
constexpr int kRunNowAnswer = 49;      // the "Y" of "(Y/n)"

void startDeepFinesse(Program& p) {
  p.kit.runOutside(
      [&] { p.system.startProgram(p.driveSpec, p.settings.dfDirectory, p.settings.dfExecutable); });
}

}  // namespace

void endOfSetDialogs(Program& p) {
  ConsoleKit& kit = p.kit;
  // Keys pressed while the set was written are not discarded.
  kit.printAt(25, 17, "DONE.  Enter another set?  (y/N)");
  kit.playSound(Sound::notify2);
  kit.showCursor();
  kit.moveTo(kAnotherSetAnswer, 0);
  if (kit.askYesNo(Answer::no) == Answer::yes) throw Reenter{EntryPoint::titleScreen};

  kit.printAt(25, 20, "Run Deep Finesse Now?  (Y/n)");
  kit.moveTo(kRunNowAnswer, 0);
  if (kit.askYesNo(Answer::yes) != Answer::yes) throw EndProgram{0};
  startDeepFinesse(p);
}

}  // namespace kveld
