#pragma once
// For tests: the screens the run-time error handler leaves, built cell by
// cell from the screen that was shown before the error, and a comparison
// that names the cells that differ.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/console_kit.h"
#include "core/program_tables.h"
#include "fail/error_handler.h"
#include "testing/scripted_console.h"

namespace kveld::failureScreens {

constexpr int kYellowOnBlue = yellow + 16 * blue;
constexpr int kWhiteOnMagenta = white + 16 * magenta;
constexpr int kMagentaOnWhite = magenta + 16 * white;

// The title screen with its frame, as drawn at the start of a run.
inline ScreenModel titleScreen() {
  ProgramTables tables;
  initProgramTables(tables);
  ScriptedConsole device;
  ConsoleKit kit(device, tables);
  kit.drawTitleScreen();
  return kit.screen();
}

struct Builder {
  ScreenModel s;
  void fill(int column, int row, int length, int attr) {
    for (int c = column; c < column + length; ++c) s.at(c, row) = Cell{' ', static_cast<std::uint8_t>(attr)};
  }
  void text(int column, int row, const std::string& t, int attr) {
    for (std::size_t i = 0; i < t.size(); ++i)
      s.at(column + static_cast<int>(i), row) =
          Cell{static_cast<std::uint8_t>(t[i]), static_cast<std::uint8_t>(attr)};
  }
  // Rows 4 to 23, columns 4 to 77: everything inside the frame.
  void eraseBody(int attr) {
    for (int row = 4; row <= 23; ++row) fill(4, row, 74, attr);
  }
  Builder& cursor(int column, int row) {
    s.cursorColumn = column;
    s.cursorRow = row;
    s.cursorVisible = true;
    return *this;
  }
};

// `erasedAttr` is the colour attribute current when the error came.
inline ScreenModel settingsNotice(int erasedAttr, const ScreenModel& before = titleScreen()) {
  Builder b{before};
  b.eraseBody(erasedAttr);
  for (int row = 9; row <= 19; ++row) b.fill(10, row, 62, kMagentaOnWhite);
  b.text(11, 11, "The initialization file KVELD.INI is missing or corrupted.", kMagentaOnWhite);
  b.text(28, 14, "A new file will be created.", kMagentaOnWhite);
  b.text(37, 17, "<any key>", kMagentaOnWhite);
  return b.cursor(46, 17).s;
}

// Texts at their places, each in its attribute.
struct Placed {
  int column, row;
  std::string text;
  int attr;
};

// The body erased in `erasedAttr`, the texts written, the cursor shown.
inline ScreenModel bodyWith(const ScreenModel& before, int erasedAttr, const std::vector<Placed>& texts,
                            int cursorColumn, int cursorRow) {
  Builder b{before};
  b.eraseBody(erasedAttr);
  for (const Placed& t : texts) b.text(t.column, t.row, t.text, t.attr);
  return b.cursor(cursorColumn, cursorRow).s;
}

inline ScreenModel fileAccessError(int erasedAttr, const ScreenModel& before = titleScreen()) {
  return bodyWith(before, erasedAttr,
                  {{31, 10, " File Access Error ", kWhiteOnMagenta},
                   {17, 12, " A program file unexpectedly has been set as    ", kYellowOnBlue},
                   {17, 13, " read-only, or the path to the file is invalid. ", kYellowOnBlue},
                   {30, 15, " Execution halted. ", kYellowOnBlue}},
                  1, 16);
}

inline ScreenModel archiveFolderQuestion(int erasedAttr, const ScreenModel& before = titleScreen()) {
  return bodyWith(before, erasedAttr,
                  {{8, 10, " The DeepFinesse archive directory has been moved or deleted. ", kWhiteOnMagenta},
                   {8, 13, " KVELD needs to be reinstalled. Continue with setup?  (Y/n)", kYellowOnBlue}},
                  63, 13);
}

inline ScreenModel generalHalt(int number, const ScreenModel& before = titleScreen()) {
  Builder b{before};
  b.eraseBody(kYellowOnBlue);
  std::ostringstream line;
  line << " ERROR:" << (number < 0 ? "-" : " ") << (number < 0 ? -static_cast<long>(number) : number)
       << " , LINE: 0 ";
  b.text(28, 12, line.str(), kYellowOnBlue);
  b.text(27, 14, "Sorry -- program halted. ", kYellowOnBlue);
  b.text(18, 16, "Please email details to " + maintainerAddress(), kYellowOnBlue);
  return b.cursor(1, 17).s;
}

}  // namespace kveld::failureScreens

namespace kveld {

// Every cell and the cursor, with the first few differences spelled out.
inline ::testing::AssertionResult sameScreen(const ScreenModel& actual, const ScreenModel& expected) {
  std::ostringstream out;
  int differences = 0;
  for (int row = 1; row <= ScreenModel::kRows; ++row)
    for (int col = 1; col <= ScreenModel::kColumns; ++col) {
      const Cell a = actual.at(col, row), e = expected.at(col, row);
      if (a == e) continue;
      if (++differences <= 5)
        out << "\n  column " << col << ", row " << row << ": '" << a.ch << "' attr " << int(a.attr)
            << ", expected '" << e.ch << "' attr " << int(e.attr);
    }
  if (actual.cursorColumn != expected.cursorColumn || actual.cursorRow != expected.cursorRow ||
      actual.cursorVisible != expected.cursorVisible) {
    ++differences;
    out << "\n  cursor at " << actual.cursorColumn << "," << actual.cursorRow
        << (actual.cursorVisible ? " shown" : " hidden") << ", expected " << expected.cursorColumn << ","
        << expected.cursorRow << (expected.cursorVisible ? " shown" : " hidden");
  }
  if (differences == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differences << " differences:" << out.str();
}

}  // namespace kveld
