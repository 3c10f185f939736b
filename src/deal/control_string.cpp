#include "deal/control_string.h"

#include "app/commands.h"
#include "app/program.h"

namespace kveld {

namespace {

constexpr int kDigits = 10;
constexpr int kMaxTyped = 11;  // ten digits and one blank
constexpr int kDaysPerCycle = 1461;  // three years of 365 days and one of 366
constexpr int kDaysPerYear = 365;
constexpr int kPromptRow = 5;
constexpr int kTypingColumn = 39;

std::int16_t i16(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

std::optional<ControlDigits> checkControlString(std::string_view text) {
  ControlDigits d{};
  int count = 0;
  std::size_t i = 0;
  for (; i < text.size() && count < kDigits; ++i) {
    const char c = text[i];
    if (c == ' ') continue;
    if (c >= '0' && c <= '9') {
      d[static_cast<std::size_t>(++count)] = i16(c - '0');
    } else if (c == 'X' && count == kDigits - 1) {
      d[static_cast<std::size_t>(++count)] = 10;
    } else {
      return std::nullopt;
    }
  }
  // Too few digits, or anything (a blank included) after the tenth.
  if (count < kDigits || i < text.size()) return std::nullopt;
  int sum = 0;
  for (int k = 1; k <= kDigits; ++k) sum += (11 - k) * d[static_cast<std::size_t>(k)];
  if (sum % 11 != 0) return std::nullopt;
  return d;
}

// C++ division truncates toward zero and its remainder takes the sign of the
// dividend, which is what the hand records' dates were made with: day counts
// 365, 730, 1095 and 1460 of a cycle give day 0 of January, and the last day
// of a cycle repeats January 1 of the next. The seed depends on both.
CalendarDate decodeDayNumber(std::int16_t dayNumber, const ProgramTables& t) {
  const int cycle = (dayNumber - 1) / kDaysPerCycle;
  const int dayOfCycle = (dayNumber - 1) % kDaysPerCycle + 1;
  const int year = dayOfCycle / kDaysPerYear + 1;  // of the day itself, not of the day before
  int day = dayOfCycle - kDaysPerYear * (year - 1);
  const bool leap = year % 4 == 0;
  int month = 1;
  for (;;) {
    const int length = t.monthDays[static_cast<std::size_t>(leap && month == 2 ? 13 : month)];
    if (month == 12 || day <= length) break;
    day -= length;
    ++month;
  }
  return {i16(4 * cycle + year), i16((month - 1) % 12 + 1), i16(day)};
}

SetParameters decodeControlDigits(const ControlDigits& d, const ProgramTables& t) {
  SetParameters p;
  p.dayNumber = i16(1000 * d[9] + 100 * d[7] + 10 * d[3] + d[1]);
  const CalendarDate date = decodeDayNumber(p.dayNumber, t);
  p.yearNumber = date.yearNumber;
  p.monthNumber = date.monthNumber;
  p.dayOfMonth = date.dayOfMonth;
  p.dealOffset = i16(1000 * d[2] + 100 * d[4] + 10 * d[6] + d[8]);
  p.sessionNumber = i16((d[5] - 1) % 4 + 1);  // 0 when the fifth digit is 0
  p.boardCount = i16(d[5] > 4 ? 36 : 24);
  return p;
}

namespace {

enum class EditorStop { help, escape, enter };

struct Typed {
  EditorStop stop;
  std::string text;
};

void drawPrompt(ConsoleKit& kit) {
  kit.setColour(yellow, blue);
  kit.hideCursor();
  kit.clearWorkArea();
  kit.moveTo(13, kPromptRow);
  kit.print("Enter DF control string:");
  kit.moveTo(73, kPromptRow);
  kit.print("H");
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
        kit.playSound("beep2");
      } else {
        kit.moveTo(kit.cursorColumn() - 1, 0);
        kit.print(t.blank1);
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
      kit.playSound("beep2");
      continue;
    }
    kit.print(key);
    text += key;
  }
}

void showTypoAlert(ConsoleKit& kit, const ProgramTables& t) {
  kit.hideCursor();
  kit.setColour(white, magenta);
  kit.moveTo(18, t.messageRow);
  kit.print(" There is a typo in your input.  Try again. ");
  kit.playSound("beep2");
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
      p.kit.playSound("beep2");
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
    p.params = decodeControlDigits(*digits, p.tables);
    return;
  }
}

}  // namespace kveld
