#pragma once
// Checks of a screen model for tests, with a message that shows what the
// screen held instead.
#include <gtest/gtest.h>

#include "encoding/screen_model.h"

namespace kveld {

// Whether the cursor stands at (column, row) and is shown (or hidden).
inline ::testing::AssertionResult cursorAt(const ScreenModel& s, int column, int row, bool visible = true) {
  if (s.cursorColumn == column && s.cursorRow == row && s.cursorVisible == visible)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "cursor at column " << s.cursorColumn << ", row " << s.cursorRow
                                       << (s.cursorVisible ? ", shown" : ", hidden");
}

}  // namespace kveld
