#pragma once
// Checks of a screen model for tests, with a message that shows what the
// screen held instead; the lines that name the shared question and the
// run-time error screens, each written once as the user reads it.
#include <gtest/gtest.h>

#include <string>

#include "encoding/cp437.h"
#include "encoding/screen_model.h"

namespace kveld {

// The 25 rows as UTF-8 text without their trailing blanks, each ended by a
// line feed.
inline std::string screenText(const ScreenModel& s) {
  std::string out;
  for (int row = 1; row <= ScreenModel::kRows; ++row) {
    std::string line;
    for (int column = 1; column <= ScreenModel::kColumns; ++column)
      line += static_cast<char>(s.at(column, row).ch);
    line.erase(line.find_last_not_of(' ') + 1);
    out += cp437ToUtf8(line) + "\n";
  }
  return out;
}

// Whether the cursor stands at (column, row) and is shown (or hidden).
inline ::testing::AssertionResult cursorAt(const ScreenModel& s, int column, int row, bool visible = true) {
  if (s.cursorColumn == column && s.cursorRow == row && s.cursorVisible == visible)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "cursor at column " << s.cursorColumn << ", row " << s.cursorRow
                                       << (s.cursorVisible ? ", shown" : ", hidden");
}

// Whether `text` stands from (column, row).
inline ::testing::AssertionResult showsAt(const ScreenModel& s, int column, int row,
                                          const std::string& text) {
  std::string shown;
  for (int c = column; c < column + static_cast<int>(text.size()) && c <= ScreenModel::kColumns; ++c)
    shown += static_cast<char>(s.at(c, row).ch);
  if (shown == text) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "row " << row << ", column " << column << " reads \"" << shown
                                       << "\", not \"" << text << "\"; the screen:\n"
                                       << screenText(s);
}

inline ::testing::AssertionResult showsQuitQuestion(const ScreenModel& s) {
  return showsAt(s, 30, 22, " Quit program?  (Y/n) ");
}

// Setup's first question.
inline ::testing::AssertionResult showsDrivePrompt(const ScreenModel& s) {
  return showsAt(s, 10, 4, "SETUP needs to establish a link to the DeepFinesse program.");
}

// The run-time error screens, by the line that names each.
inline ::testing::AssertionResult showsGeneralHalt(const ScreenModel& s, int number) {
  return showsAt(s, 28, 12, " ERROR: " + std::to_string(number) + " , LINE: 0 ");
}
inline ::testing::AssertionResult showsFileAccessError(const ScreenModel& s) {
  return showsAt(s, 31, 10, " File Access Error ");
}
inline ::testing::AssertionResult showsSettingsNotice(const ScreenModel& s) {
  return showsAt(s, 11, 11, "The initialization file KVELD.INI is missing or corrupted.");
}
inline ::testing::AssertionResult showsArchiveFolderQuestion(const ScreenModel& s) {
  return showsAt(s, 8, 10, " The DeepFinesse archive directory has been moved or deleted. ");
}

}  // namespace kveld
