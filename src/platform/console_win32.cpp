// The Win32 console: code page 437, 80 x 25, raw key events, the program's
// own WAVE resources for sounds.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "encoding/ascii.h"
#include "encoding/cp437.h"
#include "encoding/win32_keys.h"
#include "platform/console_win32.h"
#include "platform/error_numbers.h"
#include "platform/run_time_error.h"

namespace kveld {
namespace {

constexpr SHORT kColumns = ScreenModel::kColumns;
constexpr SHORT kRows = ScreenModel::kRows;
constexpr UINT kCodePage = 437;
constexpr DWORD kKeyPollMs = 20;
constexpr DWORD kSizeCheckMs = 100;  // how often the size is looked at while the note shows
constexpr std::wstring_view kSizeNote[] = {L"Please make the window at least 80 x 25.",
                                           L"Esc or Q ends the program."};

[[noreturn]] void fail(const char* what) {
  const DWORD code = GetLastError();
  throw RunTimeError(errorNumberFromWin32(code),
                     std::string(what) + " failed (Windows error " + std::to_string(code) + ")");
}

HANDLE openConsole(const wchar_t* name) {
  HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) fail("opening the console");
  return h;
}

// Ctrl+C arrives as a key because processed input is off; Ctrl+Break still
// comes as a signal. Neither ends the program; closing the window does.
BOOL WINAPI ignoreBreak(DWORD type) {
  return type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

// Tries to make screen buffer and window exactly 80 x 25 at the top left.
// The window is shrunk first, so that the buffer can shrink under it, and
// grown last, so that it fits into the buffer; this works whether the
// console is larger or smaller than 80 x 25 in either direction. A console
// may refuse any of these calls, or accept them and undo them (a
// pseudo-console chooses its size itself), so what came of them is read back
// afterwards and a refusal here is no error.
void trySize(ConsoleSizeCalls& calls, HANDLE out) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!calls.getInfo(out, &info)) return;
  const SHORT width = static_cast<SHORT>(info.srWindow.Right - info.srWindow.Left + 1);
  const SHORT height = static_cast<SHORT>(info.srWindow.Bottom - info.srWindow.Top + 1);
  SMALL_RECT shrunk{0, 0, static_cast<SHORT>((width < kColumns ? width : kColumns) - 1),
                    static_cast<SHORT>((height < kRows ? height : kRows) - 1)};
  if (!calls.setWindow(out, shrunk)) return;
  if (!calls.setBuffer(out, COORD{kColumns, kRows})) return;
  // Windows refuses a window larger than the screen can show; some consoles
  // accept it and then show only part of it, so the limit is checked here.
  const COORD largest = calls.largestWindow(out);
  if (largest.X < kColumns || largest.Y < kRows) return;
  calls.setWindow(out, SMALL_RECT{0, 0, kColumns - 1, kRows - 1});
}

SHORT windowWidth(const CONSOLE_SCREEN_BUFFER_INFO& info) {
  return static_cast<SHORT>(info.srWindow.Right - info.srWindow.Left + 1);
}
SHORT windowHeight(const CONSOLE_SCREEN_BUFFER_INFO& info) {
  return static_cast<SHORT>(info.srWindow.Bottom - info.srWindow.Top + 1);
}

class RealSizeCalls : public ConsoleSizeCalls {
 public:
  BOOL getInfo(HANDLE out, CONSOLE_SCREEN_BUFFER_INFO* info) override {
    return GetConsoleScreenBufferInfo(out, info);
  }
  BOOL setWindow(HANDLE out, const SMALL_RECT& window) override {
    return SetConsoleWindowInfo(out, TRUE, &window);
  }
  BOOL setBuffer(HANDLE out, COORD size) override { return SetConsoleScreenBufferSize(out, size); }
  COORD largestWindow(HANDLE out) override { return GetLargestConsoleWindowSize(out); }
};

class Win32Console : public ConsoleDevice {
 public:
  explicit Win32Console(std::unique_ptr<ConsoleSizeCalls> sizeCalls) : sizes_(std::move(sizeCalls)) {}
  ~Win32Console() override {
    close();
    if (in_ != INVALID_HANDLE_VALUE) CloseHandle(in_);
    if (out_ != INVALID_HANDLE_VALUE) CloseHandle(out_);
  }

  void open(const std::string& title) override {
    close();  // a second open keeps what was found before the first
    ensureHandles();
    saveState();
    open_ = true;  // from here on, close() puts back what was changed

    SetConsoleOutputCP(kCodePage);
    SetConsoleCP(kCodePage);
    rawMode_ = saved_.inputMode &
               ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT |
                                   ENABLE_WINDOW_INPUT | ENABLE_MOUSE_INPUT | ENABLE_VIRTUAL_TERMINAL_INPUT);
    if (!SetConsoleMode(in_, rawMode_)) fail("setting the console input mode");
    if (!SetConsoleCtrlHandler(ignoreBreak, TRUE)) fail("setting the Ctrl+C handler");
    handlerSet_ = true;
    if (!fitScreen()) {
      close();
      throw EndedBeforeStart{};
    }
    const std::u16string wide = cp437ToUtf16(title);
    if (!SetConsoleTitleW(reinterpret_cast<const wchar_t*>(wide.c_str()))) fail("setting the console title");
  }

  void close() override {
    if (!open_) return;
    handedOver_ = false;
    open_ = false;
    pending_.clear();
    if (handlerSet_) SetConsoleCtrlHandler(ignoreBreak, FALSE);
    handlerSet_ = false;
    if (saved_.haveInputMode) SetConsoleMode(in_, saved_.inputMode);
    if (saved_.outputCp != 0) SetConsoleOutputCP(saved_.outputCp);
    if (saved_.inputCp != 0) SetConsoleCP(saved_.inputCp);
    if (saved_.haveCursor) SetConsoleCursorInfo(out_, &saved_.cursor);
    if (saved_.haveTitle) SetConsoleTitleW(saved_.title.c_str());
  }

  // Writes the cells that differ from what the console shows now. The
  // console is read back rather than remembered, so that whatever another
  // program in the same console wrote is repaired as well.
  void present(const ScreenModel& screen) override {
    ensureHandles();
    std::vector<CHAR_INFO> shown(static_cast<std::size_t>(kColumns * kRows));
    SMALL_RECT area{origin_.X, origin_.Y, static_cast<SHORT>(origin_.X + kColumns - 1),
                    static_cast<SHORT>(origin_.Y + kRows - 1)};
    if (!ReadConsoleOutputW(out_, shown.data(), COORD{kColumns, kRows}, COORD{0, 0}, &area)) {
      fail("reading the console");
    }
    std::vector<CHAR_INFO> wanted(shown.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      const Cell& cell = screen.cells[i];
      wanted[i].Char.UnicodeChar = static_cast<WCHAR>(cp437ToUnicode(cell.ch));
      wanted[i].Attributes = cell.attr;
    }
    for (SHORT row = 0; row < kRows; ++row) writeChangedSpan(shown, wanted, row);
    showCursor(screen);
  }

  std::string readKey() override {
    ensureHandles();
    // A program run in the same console may have changed the input mode.
    if (open_) SetConsoleMode(in_, rawMode_);
    for (;;) {
      if (!pending_.empty()) {
        std::string key = pending_.front();
        pending_.pop_front();
        return key;
      }
      if (!takeInputEvent()) {
        Sleep(kKeyPollMs);
        continue;
      }
    }
  }

  void flushKeys() override {
    ensureHandles();
    pending_.clear();
    if (!FlushConsoleInputBuffer(in_)) fail("discarding keys");
  }

  // A sound that cannot be played is left out; it never stops the program.
  void playSound(Sound sound) override {
    const std::string resource = upperAscii(soundName(sound));
    PlaySoundA(resource.c_str(), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
  }

  void pause(int milliseconds) override { Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0); }

  // The console shared with a program started in it gets the input mode and
  // cursor it had before open(): line input, echo, and Ctrl+C for that
  // program (this one, which waits for it, ignores Ctrl+C all along).
  void handOver() override {
    if (!open_ || handedOver_) return;
    handedOver_ = true;
    if (saved_.haveInputMode) SetConsoleMode(in_, saved_.inputMode);
    if (saved_.haveCursor) SetConsoleCursorInfo(out_, &saved_.cursor);
  }

  // Raw keys and code page 437 again; the next present repairs whatever the
  // program wrote over the screen.
  void takeBack() override {
    if (!handedOver_) return;
    handedOver_ = false;
    SetConsoleOutputCP(kCodePage);
    SetConsoleCP(kCodePage);
    SetConsoleMode(in_, rawMode_);
  }

 private:
  struct Saved {
    UINT outputCp = 0;
    UINT inputCp = 0;
    bool haveInputMode = false;
    DWORD inputMode = 0;
    bool haveCursor = false;
    CONSOLE_CURSOR_INFO cursor{};
    bool haveTitle = false;
    std::wstring title;
  };

  // Makes the console 80 x 25, or, where it cannot be sized so but its
  // window shows at least 80 x 25, draws the screen at the window's top left
  // (as in a larger terminal). A smaller window gets a note asking for a
  // larger one until it has grown; false when the user ends the program at
  // the note instead, with Esc or Q (other keys are passed over).
  bool fitScreen() {
    bool noteShown = false;
    for (;;) {
      trySize(*sizes_, out_);
      CONSOLE_SCREEN_BUFFER_INFO info{};
      if (!sizes_->getInfo(out_, &info)) fail("reading the console size");
      if (windowWidth(info) >= kColumns && windowHeight(info) >= kRows) {
        origin_ = COORD{info.srWindow.Left, info.srWindow.Top};
        const bool exact =
            info.dwSize.X == kColumns && info.dwSize.Y == kRows && origin_.X == 0 && origin_.Y == 0;
        if (!exact || noteShown) clearWindow(info);
        pending_.clear();
        return true;
      }
      if (!noteShown) showNote(info);
      noteShown = true;
      if (endKeyWithin(kSizeCheckMs)) return false;
    }
  }

  // Blanks the window in the console's own colours. (Drawing outside the
  // buffer, which a console may have undone, fails harmlessly.)
  void clearWindow(const CONSOLE_SCREEN_BUFFER_INFO& info) {
    const auto width = static_cast<DWORD>(windowWidth(info));
    for (SHORT row = info.srWindow.Top; row <= info.srWindow.Bottom; ++row) {
      DWORD written = 0;
      FillConsoleOutputCharacterW(out_, L' ', width, COORD{info.srWindow.Left, row}, &written);
      FillConsoleOutputAttribute(out_, info.wAttributes, width, COORD{info.srWindow.Left, row}, &written);
    }
  }

  void showNote(const CONSOLE_SCREEN_BUFFER_INFO& info) {
    clearWindow(info);
    SHORT row = info.srWindow.Top;
    for (const std::wstring_view line : kSizeNote) {
      const DWORD length =
          static_cast<DWORD>(std::min<std::size_t>(line.size(), static_cast<std::size_t>(windowWidth(info))));
      DWORD written = 0;
      WriteConsoleOutputCharacterW(out_, line.data(), length, COORD{info.srWindow.Left, row++}, &written);
    }
  }

  // Takes the next input event, when one waits, and queues its keys; false
  // when none waited.
  bool takeInputEvent() {
    INPUT_RECORD record{};
    DWORD count = 0;
    if (!PeekConsoleInputW(in_, &record, 1, &count)) fail("reading a key");
    if (count == 0) return false;
    if (!ReadConsoleInputW(in_, &record, 1, &count)) fail("reading a key");
    if (count == 1 && record.EventType == KEY_EVENT) queueKey(record.Event.KeyEvent);
    return true;
  }

  // Waits up to `ms` for Esc or Q; true if one came.
  bool endKeyWithin(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
      if (!takeInputEvent()) {
        Sleep(kKeyPollMs);
        continue;
      }
      for (; !pending_.empty(); pending_.pop_front()) {
        const std::string& key = pending_.front();
        if (key == "\x1b" || key == "q" || key == "Q") return true;
      }
    } while (GetTickCount() - start < ms);
    return false;
  }

  void ensureHandles() {
    if (in_ == INVALID_HANDLE_VALUE) in_ = openConsole(L"CONIN$");
    if (out_ == INVALID_HANDLE_VALUE) out_ = openConsole(L"CONOUT$");
  }

  void saveState() {
    saved_ = Saved{};
    saved_.outputCp = GetConsoleOutputCP();
    saved_.inputCp = GetConsoleCP();
    if (!GetConsoleMode(in_, &saved_.inputMode)) fail("reading the console input mode");
    saved_.haveInputMode = true;
    saved_.haveCursor = GetConsoleCursorInfo(out_, &saved_.cursor) != 0;
    std::vector<wchar_t> title(4096);
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetConsoleTitleW(title.data(), static_cast<DWORD>(title.size()));
    saved_.haveTitle = length != 0 || GetLastError() == ERROR_SUCCESS;
    if (saved_.haveTitle) saved_.title.assign(title.data());
  }

  void writeChangedSpan(const std::vector<CHAR_INFO>& shown, const std::vector<CHAR_INFO>& wanted,
                        SHORT row) {
    auto differs = [&](SHORT column) {
      const std::size_t i = static_cast<std::size_t>(row * kColumns + column);
      return shown[i].Char.UnicodeChar != wanted[i].Char.UnicodeChar ||
             shown[i].Attributes != wanted[i].Attributes;
    };
    SHORT first = 0;
    while (first < kColumns && !differs(first)) ++first;
    if (first == kColumns) return;
    SHORT last = kColumns - 1;
    while (!differs(last)) --last;
    const SHORT y = static_cast<SHORT>(origin_.Y + row);
    SMALL_RECT span{static_cast<SHORT>(origin_.X + first), y, static_cast<SHORT>(origin_.X + last), y};
    if (!WriteConsoleOutputW(out_, wanted.data(), COORD{kColumns, kRows}, COORD{first, row}, &span)) {
      fail("writing to the console");
    }
  }

  void showCursor(const ScreenModel& screen) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(out_, &info)) fail("reading the console cursor");
    const COORD at{static_cast<SHORT>(origin_.X + screen.cursorColumn - 1),
                   static_cast<SHORT>(origin_.Y + screen.cursorRow - 1)};
    if (info.dwCursorPosition.X != at.X || info.dwCursorPosition.Y != at.Y) {
      if (!SetConsoleCursorPosition(out_, at)) fail("placing the console cursor");
    }
    CONSOLE_CURSOR_INFO cursor{};
    if (!GetConsoleCursorInfo(out_, &cursor)) fail("reading the console cursor");
    if ((cursor.bVisible != FALSE) != screen.cursorVisible) {
      cursor.bVisible = screen.cursorVisible ? TRUE : FALSE;
      if (cursor.dwSize < 1 || cursor.dwSize > 100) cursor.dwSize = 25;
      if (!SetConsoleCursorInfo(out_, &cursor)) fail("showing or hiding the console cursor");
    }
  }

  void queueKey(const KEY_EVENT_RECORD& k) {
    ConsoleKeyEvent e{k.bKeyDown != FALSE, k.wRepeatCount, k.wVirtualKeyCode, k.wVirtualScanCode,
                      static_cast<char16_t>(k.uChar.UnicodeChar)};
    // Events made up by other programs may leave the scan code out.
    if (e.scanCode == 0 && e.virtualKey != 0) {
      e.scanCode = static_cast<std::uint16_t>(MapVirtualKeyW(e.virtualKey, MAPVK_VK_TO_VSC));
    }
    const auto key = keyText(e);
    if (!key) return;
    for (int i = keyPresses(e); i > 0; --i) pending_.push_back(*key);
  }

  std::unique_ptr<ConsoleSizeCalls> sizes_;
  HANDLE in_ = INVALID_HANDLE_VALUE;
  HANDLE out_ = INVALID_HANDLE_VALUE;
  Saved saved_;
  bool open_ = false;
  bool handlerSet_ = false;
  bool handedOver_ = false;
  DWORD rawMode_ = 0;
  COORD origin_{0, 0};               // where the screen's top left cell is in the console's buffer
  std::deque<std::string> pending_;  // presses of a held key not yet returned
};

}  // namespace

std::unique_ptr<ConsoleSizeCalls> consoleSizeCalls() { return std::make_unique<RealSizeCalls>(); }

std::unique_ptr<ConsoleDevice> makeWin32Console(std::unique_ptr<ConsoleSizeCalls> sizeCalls) {
  return std::make_unique<Win32Console>(std::move(sizeCalls));
}

std::unique_ptr<ConsoleDevice> makeRealConsole() { return makeWin32Console(consoleSizeCalls()); }

}  // namespace kveld
