#include "deal/control_entry.h"

#include "core/manual.h"
#include "core/program.h"
#include "core/quit_question.h"
#include "rules/control_string.h"

namespace kveld {

namespace {

constexpr std::size_t kMaxTyped = 11;  // ten digits and one blank
constexpr int kPromptRow = 5;
constexpr int kTypingColumn = 39;

enum class EditorStop { help, escape, enter };

struct Typed {
  EditorStop stop;
  std::string text;
};

void drawPrompt(ConsoleKit& kit) {
  kit.setColour(yellow, blue);
  kit.hideCursor();
  kit.clearWorkArea();
  kit.printAt(13, kPromptRow, "Enter DF control string:");
  kit.printAt(73, kPromptRow, "H");
  kit.setColour(brown);
  kit.print("elp");
  kit.showCursor();
  kit.flushKeys();
  kit.setColour(white);
  kit.moveTo(kTypingColumn, kPromptRow);
}

// The line editor: digits, "X" and blanks, at most eleven of them, from the
// cursor's column on (behind `text`, already typed there); every refused key
// beeps.
Typed editControlString(ConsoleKit& kit, const ProgramTables& t, std::string text) {
  for (;;) {
    const std::string key = kit.waitKeyUpper();
    if (key == "H") return {EditorStop::help, text};
    if (key == t.escKey) return {EditorStop::escape, {}};
    if (key == t.enterKey) return {EditorStop::enter, text};
    if (key == t.backspaceKey) {
      if (text.empty()) {
        kit.playSound(Sound::beep2);
      } else {
        kit.printAt(kit.cursorColumn() - 1, 0, t.blank1);
        kit.moveTo(kit.cursorColumn() - 1, 0);
        text.pop_back();
      }
      continue;
    }
    // A key without a character arrives as code 0 and its scan code, so it
    // is refused here whatever its scan code spells.
    const bool digit = key.size() == 1 && key[0] >= '0' && key[0] <= '9';
    const bool accepted = digit || key == "X" || key == t.blank1;
    if (!accepted || text.size() >= kMaxTyped) {
      kit.playSound(Sound::beep2);
      continue;
    }
    kit.print(key);
    text += key;
  }
}

void showTypoAlert(ConsoleKit& kit, const ProgramTables& t) {
  kit.hideCursor();
  kit.setColour(white, magenta);
  kit.printAt(18, t.messageRow, " There is a typo in your input.  Try again. ");
  kit.playSound(Sound::beep2);
  kit.waitAnyKey(true);
  kit.clearMessageRow();
  kit.showCursor();
}

}  // namespace

void enterControlString(Program& p) {
  for (;;) {
    drawPrompt(p.kit);
    Typed typed = editControlString(p.kit, p.tables, {});
    while (typed.stop == EditorStop::help && !openOnlineManual(p)) {
      // Nothing here can open the manual: the key was heard, and the prompt
      // stays as it was.
      p.kit.playSound(Sound::beep2);
      typed = editControlString(p.kit, p.tables, typed.text);
    }
    if (typed.stop == EditorStop::help) continue;
    if (typed.stop == EditorStop::escape) quitDialog(p);
    const std::optional<ControlDigits> digits = checkControlString(typed.text);
    if (!digits) {
      showTypoAlert(p.kit, p.tables);
      continue;
    }
    p.controlDigit = *digits;
    p.params = decodeControlDigits(*digits);
    return;
  }
}

}  // namespace kveld
