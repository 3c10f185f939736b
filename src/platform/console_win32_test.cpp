// The Win32 console device on a real console. These tests need one: under
// Wine that is a console in a terminal (tests/wine/run-console-tests.py runs
// them so, with KVELD_REQUIRE_CONSOLE set); elsewhere they are skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "encoding/cp437.h"
#include "platform/console_win32.h"
#include "platform/run_time_error.h"

namespace kveld {
namespace {

std::string scan(int code) { return std::string(1, '\0') + static_cast<char>(code); }

// The size calls as a pseudo-console (Windows Terminal's) may answer them:
// the console reports a buffer and window of `columns` x `rows` (80 x 25
// once it has been looked at `growAfter` times, when that is not -1), and
// the calls that would size it fail or, with `succeed`, succeed to no effect.
// Everything else is the real console's. `shownBefore` receives the top
// left row of the console as it was just before it grew.
class PseudoConsoleSizes : public ConsoleSizeCalls {
 public:
  PseudoConsoleSizes(SHORT columns, SHORT rows, bool succeed, int* looks = nullptr, int growAfter = -1,
                     std::wstring* shownBefore = nullptr)
      : columns_(columns),
        rows_(rows),
        succeed_(succeed),
        looks_(looks),
        growAfter_(growAfter),
        shownBefore_(shownBefore) {}

  BOOL getInfo(HANDLE out, CONSOLE_SCREEN_BUFFER_INFO* info) override {
    if (!GetConsoleScreenBufferInfo(out, info)) return FALSE;
    const int looked = ++looked_;
    if (looks_ != nullptr) *looks_ = looked;
    const bool grown = growAfter_ >= 0 && looked > growAfter_;
    if (looked == growAfter_ + 1 && shownBefore_ != nullptr) {
      std::vector<wchar_t> text(80);
      DWORD read = 0;
      ReadConsoleOutputCharacterW(out, text.data(), 80, COORD{0, 0}, &read);
      shownBefore_->assign(text.data(), read);
    }
    const SHORT columns = grown ? SHORT{80} : columns_;
    const SHORT rows = grown ? SHORT{25} : rows_;
    info->dwSize = COORD{columns, rows};
    info->srWindow = SMALL_RECT{0, 0, static_cast<SHORT>(columns - 1), static_cast<SHORT>(rows - 1)};
    info->dwMaximumWindowSize = info->dwSize;
    return TRUE;
  }
  BOOL setWindow(HANDLE, const SMALL_RECT&) override { return answer(); }
  BOOL setBuffer(HANDLE, COORD) override { return answer(); }
  COORD largestWindow(HANDLE) override { return COORD{columns_, rows_}; }

 private:
  BOOL answer() {
    if (succeed_) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }

  SHORT columns_, rows_;
  bool succeed_;
  int* looks_;
  int growAfter_;
  std::wstring* shownBefore_;
  int looked_ = 0;
};

class Win32ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    out_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
    in_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    if (out_ == INVALID_HANDLE_VALUE || in_ == INVALID_HANDLE_VALUE) {
      if (std::getenv("KVELD_REQUIRE_CONSOLE") != nullptr) FAIL() << "no console";
      GTEST_SKIP() << "needs a console (tests/wine/run-console-tests.py)";
    }
    FlushConsoleInputBuffer(in_);
    device_ = makeRealConsole();
  }
  void TearDown() override {
    if (device_) device_->close();
    device_.reset();
    if (out_ != INVALID_HANDLE_VALUE) CloseHandle(out_);
    if (in_ != INVALID_HANDLE_VALUE) CloseHandle(in_);
  }

  CONSOLE_SCREEN_BUFFER_INFO bufferInfo() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    EXPECT_TRUE(GetConsoleScreenBufferInfo(out_, &info));
    return info;
  }
  void expect80x25() {
    const CONSOLE_SCREEN_BUFFER_INFO info = bufferInfo();
    EXPECT_EQ(info.dwSize.X, 80);
    EXPECT_EQ(info.dwSize.Y, 25);
    EXPECT_EQ(info.srWindow.Left, 0);
    EXPECT_EQ(info.srWindow.Top, 0);
    EXPECT_EQ(info.srWindow.Right, 79);
    EXPECT_EQ(info.srWindow.Bottom, 24);
  }
  std::wstring textAt(int column, int row, int length) {
    std::wstring text;
    for (int i = 0; i < length; ++i) text += cellAt(column + i, row).Char.UnicodeChar;
    return text;
  }
  std::wstring title() {
    std::vector<wchar_t> t(512);
    GetConsoleTitleW(t.data(), static_cast<DWORD>(t.size()));
    return t.data();
  }
  CHAR_INFO cellAt(int column, int row) {
    CHAR_INFO cell{};
    SMALL_RECT r{static_cast<SHORT>(column - 1), static_cast<SHORT>(row - 1), static_cast<SHORT>(column - 1),
                 static_cast<SHORT>(row - 1)};
    EXPECT_TRUE(ReadConsoleOutputW(out_, &cell, COORD{1, 1}, COORD{0, 0}, &r));
    return cell;
  }
  void writeCell(int column, int row, wchar_t ch, WORD attr) {
    CHAR_INFO cell{};
    cell.Char.UnicodeChar = ch;
    cell.Attributes = attr;
    SMALL_RECT r{static_cast<SHORT>(column - 1), static_cast<SHORT>(row - 1), static_cast<SHORT>(column - 1),
                 static_cast<SHORT>(row - 1)};
    ASSERT_TRUE(WriteConsoleOutputW(out_, &cell, COORD{1, 1}, COORD{0, 0}, &r));
  }

  // Puts events into the console's input as a keyboard would.
  void press(WORD vk, WORD scanCode, wchar_t ch, WORD repeat = 1, bool withRelease = true) {
    std::vector<INPUT_RECORD> records;
    INPUT_RECORD r{};
    r.EventType = KEY_EVENT;
    r.Event.KeyEvent.bKeyDown = TRUE;
    r.Event.KeyEvent.wRepeatCount = repeat;
    r.Event.KeyEvent.wVirtualKeyCode = vk;
    r.Event.KeyEvent.wVirtualScanCode = scanCode;
    r.Event.KeyEvent.uChar.UnicodeChar = ch;
    records.push_back(r);
    if (withRelease) {
      r.Event.KeyEvent.bKeyDown = FALSE;
      r.Event.KeyEvent.wRepeatCount = 1;
      records.push_back(r);
    }
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputW(in_, records.data(), static_cast<DWORD>(records.size()), &written));
    ASSERT_EQ(written, records.size());
  }

  HANDLE out_ = INVALID_HANDLE_VALUE;
  HANDLE in_ = INVALID_HANDLE_VALUE;
  std::unique_ptr<ConsoleDevice> device_;
};

TEST_F(Win32ConsoleTest, OpenPreparesTheConsoleAndCloseRestoresIt) {
  ASSERT_TRUE(SetConsoleOutputCP(850));
  ASSERT_TRUE(SetConsoleCP(850));
  ASSERT_TRUE(SetConsoleTitleW(L"before"));
  const DWORD cooked = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_MOUSE_INPUT;
  ASSERT_TRUE(SetConsoleMode(in_, cooked));
  CONSOLE_CURSOR_INFO cursor{50, TRUE};
  ASSERT_TRUE(SetConsoleCursorInfo(out_, &cursor));

  device_->open("Kveld Archive");
  EXPECT_EQ(GetConsoleOutputCP(), 437u);
  EXPECT_EQ(GetConsoleCP(), 437u);
  EXPECT_EQ(title(), L"Kveld Archive");
  expect80x25();
  DWORD mode = 0;
  ASSERT_TRUE(GetConsoleMode(in_, &mode));
  EXPECT_EQ(mode & (ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_MOUSE_INPUT |
                    ENABLE_WINDOW_INPUT),
            0u);

  ScreenModel screen;
  screen.cursorVisible = false;
  device_->present(screen);
  device_->close();
  EXPECT_EQ(GetConsoleOutputCP(), 850u);
  EXPECT_EQ(GetConsoleCP(), 850u);
  EXPECT_EQ(title(), L"before");
  ASSERT_TRUE(GetConsoleMode(in_, &mode));
  EXPECT_EQ(mode & cooked, cooked);
  CONSOLE_CURSOR_INFO after{};
  ASSERT_TRUE(GetConsoleCursorInfo(out_, &after));
  EXPECT_EQ(after.dwSize, 50u);
  EXPECT_TRUE(after.bVisible);
  device_->close();  // a second close changes nothing
  EXPECT_EQ(title(), L"before");
  SetConsoleOutputCP(437);
  SetConsoleCP(437);
}

TEST_F(Win32ConsoleTest, OpenMakesAnyBufferAndWindow80By25) {
  const struct {
    SHORT bufferColumns, bufferRows;
    SMALL_RECT window;
  } cases[] = {
      {120, 50, {10, 20, 79, 44}},   // larger both ways, window scrolled away from the top
      {60, 20, {0, 0, 59, 19}},      // smaller both ways
      {100, 15, {20, 0, 79, 14}},    // wider but lower
      {40, 300, {0, 200, 39, 224}},  // narrower with a long history
  };
  for (const auto& c : cases) {
    SMALL_RECT tiny{0, 0, 9, 4};
    ASSERT_TRUE(SetConsoleWindowInfo(out_, TRUE, &tiny));
    ASSERT_TRUE(SetConsoleScreenBufferSize(out_, COORD{c.bufferColumns, c.bufferRows}));
    ASSERT_TRUE(SetConsoleWindowInfo(out_, TRUE, &c.window));
    device_->open("Kveld Archive");
    expect80x25();
    device_->close();
  }
}

TEST_F(Win32ConsoleTest, PresentShowsCellsColoursAndCursor) {
  device_->open("Kveld Archive");
  ScreenModel screen;
  for (Cell& cell : screen.cells) cell = Cell{' ', 0x18};
  const std::string text = "\xc9\xcd\xbb \x06\x03\x04\x05 K\x82";
  for (std::size_t i = 0; i < text.size(); ++i) {
    screen.at(3 + static_cast<int>(i), 2) = Cell{static_cast<std::uint8_t>(text[i]), 0x1C};
  }
  screen.at(80, 25) = Cell{'Z', 0x5F};
  screen.cursorColumn = 12;
  screen.cursorRow = 22;
  screen.cursorVisible = true;
  device_->present(screen);

  const std::u16string wide = cp437ToUtf16(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const CHAR_INFO cell = cellAt(3 + static_cast<int>(i), 2);
    EXPECT_EQ(static_cast<char16_t>(cell.Char.UnicodeChar), wide[i]) << i;
    EXPECT_EQ(cell.Attributes, 0x1C) << i;
  }
  EXPECT_EQ(cellAt(80, 25).Char.UnicodeChar, L'Z');
  EXPECT_EQ(cellAt(80, 25).Attributes, 0x5F);
  EXPECT_EQ(cellAt(1, 1).Attributes, 0x18);
  EXPECT_EQ(cellAt(40, 13).Attributes, 0x18);
  CONSOLE_SCREEN_BUFFER_INFO info = bufferInfo();
  EXPECT_EQ(info.dwCursorPosition.X, 11);
  EXPECT_EQ(info.dwCursorPosition.Y, 21);
  CONSOLE_CURSOR_INFO cursor{};
  ASSERT_TRUE(GetConsoleCursorInfo(out_, &cursor));
  EXPECT_TRUE(cursor.bVisible);

  screen.cursorVisible = false;
  screen.cursorColumn = 1;
  screen.cursorRow = 3;
  screen.at(4, 2) = Cell{'-', 0x1E};
  device_->present(screen);
  EXPECT_EQ(cellAt(4, 2).Char.UnicodeChar, L'-');
  EXPECT_EQ(cellAt(4, 2).Attributes, 0x1E);
  EXPECT_EQ(cellAt(5, 2).Char.UnicodeChar, wide[2]);
  info = bufferInfo();
  EXPECT_EQ(info.dwCursorPosition.X, 0);
  EXPECT_EQ(info.dwCursorPosition.Y, 2);
  ASSERT_TRUE(GetConsoleCursorInfo(out_, &cursor));
  EXPECT_FALSE(cursor.bVisible);
}

// Another program run in the same console (the command interpreter, the
// browser start) may write over the screen; the next present repairs it.
TEST_F(Win32ConsoleTest, PresentRepairsWhatOthersWroteOverTheScreen) {
  device_->open("Kveld Archive");
  ScreenModel screen;
  for (Cell& cell : screen.cells) cell = Cell{'.', 0x1E};
  device_->present(screen);
  writeCell(1, 1, L'x', 0x07);
  writeCell(40, 12, L'y', 0x1E);
  writeCell(80, 25, L'.', 0x70);
  device_->present(screen);
  for (auto [column, row] : {std::pair{1, 1}, std::pair{40, 12}, std::pair{80, 25}}) {
    const CHAR_INFO cell = cellAt(column, row);
    EXPECT_EQ(cell.Char.UnicodeChar, L'.') << column << "," << row;
    EXPECT_EQ(cell.Attributes, 0x1E) << column << "," << row;
  }
}

// A program started in the same console gets the input mode and cursor
// that were there before open(); afterwards the console is raw again.
TEST_F(Win32ConsoleTest, HandOverGivesAStartedProgramTheConsoleAsItWas) {
  const DWORD cooked = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT;
  ASSERT_TRUE(SetConsoleMode(in_, cooked));
  device_->open("Kveld Archive");
  ScreenModel screen;
  screen.cursorVisible = false;
  device_->present(screen);
  device_->handOver();
  DWORD mode = 0;
  ASSERT_TRUE(GetConsoleMode(in_, &mode));
  EXPECT_EQ(mode & cooked, cooked);
  CONSOLE_CURSOR_INFO cursor{};
  ASSERT_TRUE(GetConsoleCursorInfo(out_, &cursor));
  EXPECT_TRUE(cursor.bVisible);
  ASSERT_TRUE(SetConsoleOutputCP(850));  // as the program started may leave it
  device_->takeBack();
  ASSERT_TRUE(GetConsoleMode(in_, &mode));
  EXPECT_EQ(mode & cooked, 0u);
  EXPECT_EQ(GetConsoleOutputCP(), 437u);
  press('K', 37, L'k');
  EXPECT_EQ(device_->readKey(), "k");
}

TEST_F(Win32ConsoleTest, ReadKeyTakesKeyPressesOnly) {
  device_->open("Kveld Archive");
  press(VK_SHIFT, 42, 0, 1, false);
  press('A', 30, L'A');
  press(VK_SHIFT, 42, 0, 1, false);
  press(VK_CAPITAL, 58, 0);
  press(VK_CONTROL, 29, 0);
  press('C', 46, L'\x03');  // Ctrl+C: a key, the program goes on
  press(VK_UP, 72, 0);
  press(VK_F11, 87, 0);
  press(VK_F12, 88, 0);
  press(VK_DOWN, 0, 0);  // no scan code: taken from the virtual key
  press(VK_RETURN, 28, L'\r');
  press(0, 0, L'\u2665');  // a character typed without a key of its own
  for (const std::string& expected : {std::string("A"), std::string("\x03"), scan(72), scan(133), scan(134),
                                      scan(80), std::string("\r"), std::string("\x03")}) {
    EXPECT_EQ(device_->readKey(), expected);
  }
}

TEST_F(Win32ConsoleTest, AHeldKeyRepeatsAndFlushDiscardsTheRest) {
  device_->open("Kveld Archive");
  press('X', 45, L'x', 3);
  EXPECT_EQ(device_->readKey(), "x");
  EXPECT_EQ(device_->readKey(), "x");
  press('Q', 16, L'q');
  device_->flushKeys();  // one x still pending and the q: both typed ahead
  press('Y', 21, L'y');
  EXPECT_EQ(device_->readKey(), "y");
}

TEST_F(Win32ConsoleTest, CtrlCAndCtrlBreakSignalsDoNotEndTheProgram) {
  device_->open("Kveld Archive");
  ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  // Wine cannot send Ctrl+Break to a console (the call fails there); Windows can.
  GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
  // The signals are handled on another thread; without the handler the
  // process would end here, and the run would report it.
  Sleep(500);
  press('K', 37, L'k');
  EXPECT_EQ(device_->readKey(), "k");
}

// A console that will not be sized but shows at least 80 x 25 is used as it
// is, the screen drawn at its top left.
TEST_F(Win32ConsoleTest, APseudoConsoleOfAtLeast80By25IsUsedAsItIs) {
  for (const bool succeed : {false, true}) {
    for (const auto& [columns, rows] : {std::pair<SHORT, SHORT>{80, 25}, std::pair<SHORT, SHORT>{120, 30}}) {
      SCOPED_TRACE(std::to_string(columns) + " x " + std::to_string(rows) +
                   (succeed ? ", calls undone" : ", calls fail"));
      auto device = makeWin32Console(std::make_unique<PseudoConsoleSizes>(columns, rows, succeed));
      ASSERT_NO_THROW(device->open("Kveld Archive"));
      EXPECT_EQ(title(), L"Kveld Archive");
      ScreenModel screen;
      for (Cell& cell : screen.cells) cell = Cell{'.', 0x1E};
      screen.at(1, 1) = Cell{'A', 0x1C};
      screen.at(80, 25) = Cell{'Z', 0x5F};
      screen.cursorColumn = 30;
      screen.cursorRow = 22;
      device->present(screen);
      EXPECT_EQ(cellAt(1, 1).Char.UnicodeChar, L'A');
      EXPECT_EQ(cellAt(1, 1).Attributes, 0x1C);
      EXPECT_EQ(cellAt(80, 25).Char.UnicodeChar, L'Z');
      EXPECT_EQ(cellAt(40, 12).Attributes, 0x1E);
      EXPECT_EQ(bufferInfo().dwCursorPosition.X, 29);
      EXPECT_EQ(bufferInfo().dwCursorPosition.Y, 21);
      device->close();
    }
  }
}

// Smaller than 80 x 25 and not to be sized: a note asks for a larger window
// until the console has grown.
TEST_F(Win32ConsoleTest, APseudoConsoleTooSmallShowsTheNoteUntilItGrows) {
  int looks = 0;
  std::wstring shownBefore;
  auto device =
      makeWin32Console(std::make_unique<PseudoConsoleSizes>(70, 20, false, &looks, 4, &shownBefore));
  ASSERT_NO_THROW(device->open("Kveld Archive"));
  EXPECT_GT(looks, 4);
  EXPECT_EQ(shownBefore.substr(0, 40), L"Please make the window at least 80 x 25.");
  EXPECT_EQ(textAt(1, 1, 40), std::wstring(40, L' '));  // the note is gone with the wait
  ScreenModel screen;
  screen.at(1, 1).ch = 'K';
  device->present(screen);
  EXPECT_EQ(textAt(1, 1, 3), L"K  ");
  device->close();
}

TEST_F(Win32ConsoleTest, EscOrQAtTheNoteEndTheProgram) {
  const struct {
    WORD vk, scanCode;
    wchar_t ch;
  } keys[] = {{VK_ESCAPE, 1, L'\x1b'}, {'Q', 16, L'q'}, {'Q', 16, L'Q'}};
  for (const auto& key : keys) {
    SCOPED_TRACE(static_cast<int>(key.ch));
    ASSERT_TRUE(SetConsoleTitleW(L"before"));
    auto device = makeWin32Console(std::make_unique<PseudoConsoleSizes>(79, 25, false));
    press('X', 45, L'x');  // other keys are passed over
    press(key.vk, key.scanCode, key.ch);
    EXPECT_THROW(device->open("Kveld Archive"), EndedBeforeStart);
    EXPECT_EQ(textAt(1, 1, 40), L"Please make the window at least 80 x 25.");
    EXPECT_EQ(title(), L"before");
    device->close();
  }
}

// Run only in a console whose largest window is smaller than 80 x 25: the
// note at the top left of the window, and Esc ends the program there.
TEST_F(Win32ConsoleTest, SmallConsoleShowsTheNote) {
  const COORD largest = GetLargestConsoleWindowSize(out_);
  if (largest.X >= 80 && largest.Y >= 25)
    GTEST_SKIP() << "the console can show " << largest.X << " x " << largest.Y;
  press(VK_ESCAPE, 1, L'\x1b');
  EXPECT_THROW(device_->open("Kveld Archive"), EndedBeforeStart);
  const CONSOLE_SCREEN_BUFFER_INFO info = bufferInfo();
  EXPECT_EQ(textAt(info.srWindow.Left + 1, info.srWindow.Top + 1, 40),
            L"Please make the window at least 80 x 25.");
}

}  // namespace
}  // namespace kveld
