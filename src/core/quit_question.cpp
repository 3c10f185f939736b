#include "core/quit_question.h"

#include "core/flow_control.h"
#include "core/program.h"

namespace kveld {

namespace {
constexpr int kAnswerColumn = 47;  // on the "Y" of "(Y/n)"
}  // namespace

void quitDialog(Program& p) {
  ConsoleKit& kit = p.kit;
  kit.hideCursor();
  kit.moveTo(kBodyColumn, p.tables.messageRow);
  kit.setColour(yellow, blue);
  kit.print(p.tables.blank74);
  kit.showCursor();
  kit.flushKeys();
  kit.setColour(white, magenta);
  kit.printAt(30, p.tables.messageRow, " Quit program?  (Y/n) ");
  kit.showCursor();
  kit.moveTo(kAnswerColumn, 0);
  kit.playSound(Sound::notify2);
  if (kit.askYesNo(Answer::yes) == Answer::no) throw Reenter{EntryPoint::titleScreen};
  kit.setColour(yellow, blue);
  kit.clearScreen();
  throw EndProgram{0};
}

}  // namespace kveld
