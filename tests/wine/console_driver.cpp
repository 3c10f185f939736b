// Drives a console program from a script, the way a user at the keyboard
// would: it starts the program in the console it runs in itself, types key
// events into the console's input and reads the characters and colours of
// the screen back.
//
//   kveld_console_driver PROGRAM SCRIPT LOG [SOUND_TRACE]
//
// The result goes to LOG (the screen belongs to the program): one line per
// step, the screen on a failure, and "PASS" or "FAIL" at the end. Exit code 0
// when every step passed, 1 on the first failing step, 2 for a bad script.
// SOUND_TRACE is the file into which Wine writes its sound library's trace
// (WINEDEBUG=trace+winmm), for expect-sounds.
//
// Script lines (blank lines and lines starting with # are skipped; TEXT may
// be put in double quotes to keep blanks at its ends; in TEXT, \\ \" \r \n \t
// and \xNN, a code-page-437 byte, are escapes; everything else is UTF-8):
//   limit SECONDS            time limit of every following wait (default 15)
//   quiet MS                 how long the screen must stay still to count as
//                            settled (default 400)
//   settitle TEXT            console title before the program starts
//   setcp CODEPAGE           console code pages before the program starts
//   write-file NAME TEXT     creates a file in the current folder
//   make-folder NAME         creates a folder (and its parents) there; NAME
//                            is taken as written, as in write-file
//   read-only NAME           gives a file the read-only attribute
//   start [ARGUMENTS]        starts the program in this console (again,
//                            once the program started before has ended)
//   key NAME [COUNT]         presses and releases a key: Enter, Esc, Tab,
//                            Backspace, Space, Up, Down, Left, Right, Home,
//                            End, PgUp, PgDn, Ins, Del, F1..F12, Shift, Ctrl,
//                            Alt, CapsLock, NumLock, ScrollLock, Ctrl+LETTER,
//                            Alt+LETTER or a single character
//   type TEXT                types the text, one key per character
//   settle                   waits until the screen stays still
//   sleep MS
//   expect ROW COL TEXT      the screen shows TEXT from (COL, ROW), 1-based
//   expectattr ROW COL LEN ATTR   LEN cells from there have colour ATTR
//                            (decimal or 0x..)
//   expectcursor [ROW COL] visible|hidden
//   expecttitle TEXT
//   expectcp CODEPAGE        output and input code page of the console
//   expectsize COLS ROWS     screen buffer and window size
//   expect-file NAME TEXT    a file in the current folder holds exactly TEXT
//   dump FILE                writes the screen (text, then colours) to FILE
//   wait-exit CODE           the program ends with CODE
//   kill                     ends the program
//   remember NAME            keeps the settled screen under a name
//   expect-unchanged NAME    the settled screen is the one remembered: every
//                            cell, colour and the cursor
//   expect-sounds [NAME...]  the sounds started since the last such step
//                            (from the start of the script) are these, in
//                            this order (BEEP2, NOTIFY2)
// and the file steps of driver_files.h. ${PID} stands for the process number
// of the program last started. ${CD} in a TEXT or a name stands for
// the driver's current folder, where the program starts too.
// The expect commands wait for the screen to settle and, while the program
// runs and until the time limit, for the expectation to come true. A script
// that ends while the program still runs fails.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver_files.h"
#include "driver_keys.h"
#include "driver_sounds.h"
#include "driver_text.h"

namespace {

using namespace driver;
using Clock = std::chrono::steady_clock;
constexpr SHORT kColumns = 80;
constexpr SHORT kRows = 25;

struct Screen {
  std::vector<CHAR_INFO> cells;
  COORD cursor{};
  bool cursorVisible = false;
  bool operator==(const Screen& o) const {
    if (cursor.X != o.cursor.X || cursor.Y != o.cursor.Y || cursorVisible != o.cursorVisible) return false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].Char.UnicodeChar != o.cells[i].Char.UnicodeChar ||
          cells[i].Attributes != o.cells[i].Attributes) {
        return false;
      }
    }
    return true;
  }
};

class Driver {
 public:
  Driver(std::wstring program, std::wstring soundTrace, std::ofstream& log)
      : program_(std::move(program)), soundTrace_(std::move(soundTrace)), log_(log) {
    in_ = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, 0, nullptr);
    out_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
    if (in_ == INVALID_HANDLE_VALUE || out_ == INVALID_HANDLE_VALUE) throw StepFailed("no console");
  }
  ~Driver() {
    if (child_.hProcess != nullptr) {
      if (WaitForSingleObject(child_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(child_.hProcess, 99);
      CloseHandle(child_.hProcess);
      CloseHandle(child_.hThread);
    }
  }

  // Runs one script step: a file step of driver_files.h, or a command of
  // the table below.
  void run(const std::string& command, const std::string& rest) {
    if (runFileStep(command, rest)) return;
    const auto found = kCommands.find(command);
    if (found == kCommands.end()) throw ScriptError("unknown command " + command);
    (this->*found->second)(rest);
  }

  // At the end of the script the program must have ended.
  void finish() {
    if (child_.hProcess != nullptr && WaitForSingleObject(child_.hProcess, 0) == WAIT_TIMEOUT) {
      throw StepFailed("the program still runs at the end of the script");
    }
  }

  std::string screenDump() { return dumpText(snapshot()); }

 private:
  using Handler = void (Driver::*)(const std::string& rest);
  static const std::map<std::string, Handler> kCommands;

  // Settings and set-up before the program starts.
  void setLimit(const std::string& rest) { limitMs_ = number(rest) * 1000; }
  void setQuiet(const std::string& rest) { quietMs_ = number(rest); }
  void setTitle(const std::string& rest) { SetConsoleTitleW(parseText(rest).c_str()); }
  void setCodePage(const std::string& rest) {
    SetConsoleOutputCP(static_cast<UINT>(number(rest)));
    SetConsoleCP(static_cast<UINT>(number(rest)));
  }
  void writeFile(const std::string& rest) {
    const auto [name, text] = split(rest);
    std::ofstream f(name, std::ios::binary);
    f << textBytes(text);
    if (!f) throw StepFailed("cannot write " + name);
  }
  void makeFolder(const std::string& rest) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(rest), ec);
    if (ec) throw StepFailed("cannot make the folder " + rest);
  }
  void makeReadOnly(const std::string& rest) {
    if (!SetFileAttributesA(rest.c_str(), FILE_ATTRIBUTE_READONLY)) {
      throw StepFailed("cannot make " + rest + " read-only");
    }
  }

  // The keyboard and the clock.
  void pressKey(const std::string& rest) {
    std::istringstream args(rest);
    std::string name;
    int count = 1;
    args >> name;
    if (!(args >> count)) count = 1;
    std::vector<INPUT_RECORD> events;
    const KeyStroke k = namedKey(name);
    for (int i = 0; i < count; ++i) appendStroke(events, k);
    send(events);
  }
  void typeText(const std::string& rest) {
    std::vector<INPUT_RECORD> events;
    for (wchar_t c : parseText(rest)) appendStroke(events, strokeFor(c));
    send(events);
  }
  void settleStep(const std::string&) { settle(Clock::now() + std::chrono::milliseconds(limitMs_)); }
  void sleepStep(const std::string& rest) { Sleep(static_cast<DWORD>(number(rest))); }

  // What the screen and the console show.
  void expectText(const std::string& rest) {
    std::istringstream args(rest);
    int row = 0, column = 0;
    args >> row >> column;
    const std::wstring text = parseText(textAfter(rest, 2));
    checkRange(row, column, static_cast<int>(text.size()));
    expectEventually([&](const Screen& s, std::string& why) {
      const std::wstring got = textAt(s, row, column, static_cast<int>(text.size()));
      why = "row " + std::to_string(row) + " col " + std::to_string(column) + ": expected \"" +
            visible(text) + "\", shown \"" + visible(got) + "\"";
      return got == text;
    });
  }
  void expectAttr(const std::string& rest) {
    std::istringstream args(rest);
    int row = 0, column = 0, length = 0;
    std::string attrText;
    args >> row >> column >> length >> attrText;
    const int attr = static_cast<int>(std::stol(attrText, nullptr, 0));
    checkRange(row, column, length);
    expectEventually([&](const Screen& s, std::string& why) {
      for (int i = 0; i < length; ++i) {
        const int a = s.cells[static_cast<std::size_t>((row - 1) * kColumns + column - 1 + i)].Attributes;
        if (a != attr) {
          why = "row " + std::to_string(row) + " col " + std::to_string(column + i) + ": colour " + hex(a) +
                ", expected " + hex(attr);
          return false;
        }
      }
      return true;
    });
  }
  void expectCursor(const std::string& rest) {
    std::istringstream args(rest);
    int row = 0, column = 0;
    std::string how;
    if (!(args >> row >> column)) row = column = 0;  // only whether it shows
    if (row == 0) args.clear();
    args >> how;
    if (how != "visible" && how != "hidden") throw ScriptError("expectcursor [ROW COL] visible|hidden");
    expectEventually([&](const Screen& s, std::string& why) {
      why = "cursor at row " + std::to_string(s.cursor.Y + 1) + " col " + std::to_string(s.cursor.X + 1) +
            (s.cursorVisible ? " visible" : " hidden");
      const bool placed = row == 0 || (s.cursor.Y + 1 == row && s.cursor.X + 1 == column);
      return placed && s.cursorVisible == (how == "visible");
    });
  }
  void expectTitle(const std::string& rest) {
    const std::wstring want = parseText(rest);
    expectEventually([&](const Screen&, std::string& why) {
      std::vector<wchar_t> t(1024);
      GetConsoleTitleW(t.data(), static_cast<DWORD>(t.size()));
      why = "title \"" + visible(t.data()) + "\", expected \"" + visible(want) + "\"";
      return want == t.data();
    });
  }
  void expectCodePage(const std::string& rest) {
    const UINT want = static_cast<UINT>(number(rest));
    expectEventually([&](const Screen&, std::string& why) {
      why = "code pages " + std::to_string(GetConsoleOutputCP()) + "/" + std::to_string(GetConsoleCP());
      return GetConsoleOutputCP() == want && GetConsoleCP() == want;
    });
  }
  void expectSize(const std::string& rest) {
    std::istringstream args(rest);
    int columns = 0, rows = 0;
    args >> columns >> rows;
    expectEventually([&](const Screen&, std::string& why) {
      CONSOLE_SCREEN_BUFFER_INFO i{};
      GetConsoleScreenBufferInfo(out_, &i);
      const int width = i.srWindow.Right - i.srWindow.Left + 1;
      const int height = i.srWindow.Bottom - i.srWindow.Top + 1;
      why = "buffer " + std::to_string(i.dwSize.X) + "x" + std::to_string(i.dwSize.Y) + ", window " +
            std::to_string(width) + "x" + std::to_string(height);
      return i.dwSize.X == columns && i.dwSize.Y == rows && width == columns && height == rows;
    });
  }
  void expectFile(const std::string& rest) {
    const auto [name, text] = split(rest);
    std::ifstream f(name, std::ios::binary);
    const std::string got((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!f.is_open()) throw StepFailed("no file " + name);
    if (got != textBytes(text)) {
      throw StepFailed("file " + name + " differs at " + firstDifference(got, textBytes(text)));
    }
  }
  void dumpScreen(const std::string& rest) {
    std::ofstream f(rest, std::ios::binary);
    f << dumpText(snapshot());
  }

  // The program's end.
  void waitExitStep(const std::string& rest) { waitExit(static_cast<DWORD>(number(rest))); }
  void killProgram(const std::string&) {
    requireStarted();
    TerminateProcess(child_.hProcess, 99);
    WaitForSingleObject(child_.hProcess, static_cast<DWORD>(limitMs_));
  }

  // Screens kept, and sounds heard.
  void remember(const std::string& rest) {
    settle(Clock::now() + std::chrono::milliseconds(limitMs_));
    remembered_[rest] = snapshot();
  }
  void expectUnchanged(const std::string& rest) {
    const auto found = remembered_.find(rest);
    if (found == remembered_.end()) throw ScriptError("no screen remembered as " + rest);
    settle(Clock::now() + std::chrono::milliseconds(limitMs_));
    const Screen now = snapshot();
    if (!(now == found->second)) throw StepFailed("the screen changed: " + difference(found->second, now));
  }
  void expectSoundsStep(const std::string& rest) {
    std::istringstream args(rest);
    std::vector<std::string> want;
    for (std::string name; args >> name;) want.push_back(name);
    expectSounds(want);
  }

  static int number(const std::string& s) {
    try {
      return std::stoi(s);
    } catch (const std::exception&) {
      throw ScriptError("number expected: " + s);
    }
  }
  static std::string hex(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", static_cast<unsigned>(v));
    return buf;
  }
  static std::pair<std::string, std::string> split(const std::string& rest) {
    const auto space = rest.find(' ');
    if (space == std::string::npos) return {rest, ""};
    return {rest.substr(0, space), rest.substr(space + 1)};
  }
  // The text behind the first `words` words of rest.
  static std::string textAfter(const std::string& rest, int words) {
    std::size_t at = 0;
    for (int w = 0; w < words; ++w) {
      at = rest.find_first_not_of(' ', at);
      at = rest.find(' ', at);
      if (at == std::string::npos) throw ScriptError("text expected");
    }
    return rest.substr(at + 1);
  }
  static void checkRange(int row, int column, int length) {
    if (row < 1 || row > kRows || column < 1 || length < 0 || column + length - 1 > kColumns) {
      throw ScriptError("outside the 80 x 25 screen");
    }
  }

  void requireStarted() {
    if (child_.hProcess == nullptr) throw ScriptError("start the program first");
  }

  void start(const std::string& arguments) {
    if (childRunning()) throw ScriptError("started while the program runs");
    if (child_.hProcess != nullptr) {
      CloseHandle(child_.hProcess);
      CloseHandle(child_.hThread);
      child_ = PROCESS_INFORMATION{};
    }
    settled_.reset();
    typedSinceSettled_ = true;
    std::wstring commandLine = L"\"" + program_ + L"\"";
    if (!arguments.empty()) commandLine += L" " + fromUtf8(arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &child_)) {
      child_ = PROCESS_INFORMATION{};
      throw StepFailed("cannot start the program, error " + std::to_string(GetLastError()));
    }
    defineVariable("PID", std::to_wstring(child_.dwProcessId));
  }

  bool childRunning() const {
    return child_.hProcess != nullptr && WaitForSingleObject(child_.hProcess, 0) == WAIT_TIMEOUT;
  }

  void send(const std::vector<INPUT_RECORD>& events) {
    requireStarted();
    typedSinceSettled_ = true;
    DWORD written = 0;
    if (!WriteConsoleInputW(in_, events.data(), static_cast<DWORD>(events.size()), &written) ||
        written != events.size()) {
      throw StepFailed("cannot write key events");
    }
  }

  Screen snapshot() {
    Screen s;
    s.cells.resize(static_cast<std::size_t>(kColumns * kRows));
    SMALL_RECT area{0, 0, kColumns - 1, kRows - 1};
    if (!ReadConsoleOutputW(out_, s.cells.data(), COORD{kColumns, kRows}, COORD{0, 0}, &area)) {
      throw StepFailed("cannot read the screen");
    }
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(out_, &info);
    s.cursor = info.dwCursorPosition;
    CONSOLE_CURSOR_INFO cursor{};
    GetConsoleCursorInfo(out_, &cursor);
    s.cursorVisible = cursor.bVisible != FALSE;
    return s;
  }

  // Waits until the program has taken the keys typed and the screen has not
  // changed for the quiet time (or the program has ended).
  void settle(Clock::time_point deadline) {
    // Once the program has ended, nothing changes the screen any more.
    if (child_.hProcess != nullptr && !childRunning()) return;
    // Nothing typed since the screen last settled, and it still looks the
    // same: it is still settled (this keeps a run of checks on one screen fast).
    if (settled_ && !typedSinceSettled_ && snapshot() == *settled_) return;
    for (;;) {
      DWORD waiting = 0;
      GetNumberOfConsoleInputEvents(in_, &waiting);
      if (waiting == 0 || !childRunning()) break;
      if (Clock::now() > deadline) throw StepFailed("the program did not take the keys typed");
      Sleep(20);
    }
    Screen last = snapshot();
    auto stillSince = Clock::now();
    std::string change;
    for (;;) {
      Sleep(50);
      Screen now = snapshot();
      if (!(now == last)) {
        change = difference(last, now);
        last = std::move(now);
        stillSince = Clock::now();
      } else if (Clock::now() - stillSince >= std::chrono::milliseconds(quietMs_)) {
        settled_ = std::move(last);
        typedSinceSettled_ = false;
        return;
      }
      if (Clock::now() > deadline) throw StepFailed("the screen did not settle; last change: " + change);
    }
  }

  // The sounds started since the last check. A sound is reported by the
  // thread that plays it, a moment after the program started it; a sound
  // reported later than the quiet time counts for the next check.
  void expectSounds(const std::vector<std::string>& want) {
    if (soundTrace_.empty()) throw ScriptError("expect-sounds needs the sound trace");
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs_);
    settle(deadline);
    auto since = [&] {
      std::ifstream f(std::filesystem::path(soundTrace_), std::ios::binary);
      const std::string trace((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
      std::vector<std::string> all = soundsInTrace(trace);
      return std::vector<std::string>(
          all.begin() + static_cast<std::ptrdiff_t>(std::min(soundsSeen_, all.size())), all.end());
    };
    std::vector<std::string> got = since();
    while (got.size() < want.size() && Clock::now() < deadline) {
      Sleep(50);
      got = since();
    }
    Sleep(static_cast<DWORD>(quietMs_));
    got = since();
    soundsSeen_ += got.size();
    auto join = [](const std::vector<std::string>& v) {
      std::string out;
      for (const auto& n : v) out += (out.empty() ? "" : " ") + n;
      return "(" + out + ")";
    };
    if (got != want) throw StepFailed("sounds " + join(got) + ", expected " + join(want));
  }

  template <typename Check>
  void expectEventually(Check check) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs_);
    std::string why;
    for (;;) {
      try {
        settle(deadline);
      } catch (const StepFailed& e) {
        if (why.empty()) throw;
        throw StepFailed(why + " (" + e.what() + ")");  // what was still wrong when time ran out
      }
      if (check(snapshot(), why)) return;
      Sleep(50);
      if (Clock::now() > deadline || (child_.hProcess != nullptr && !childRunning())) throw StepFailed(why);
    }
  }

  void waitExit(DWORD code) {
    requireStarted();
    if (WaitForSingleObject(child_.hProcess, static_cast<DWORD>(limitMs_)) != WAIT_OBJECT_0) {
      throw StepFailed("the program did not end");
    }
    DWORD got = 0;
    GetExitCodeProcess(child_.hProcess, &got);
    if (got != code)
      throw StepFailed("exit code " + std::to_string(got) + ", expected " + std::to_string(code));
  }

  // The first difference between two screens, for a message.
  static std::string difference(const Screen& a, const Screen& b) {
    for (std::size_t i = 0; i < a.cells.size(); ++i) {
      if (a.cells[i].Char.UnicodeChar != b.cells[i].Char.UnicodeChar ||
          a.cells[i].Attributes != b.cells[i].Attributes) {
        return "row " + std::to_string(i / kColumns + 1) + " col " + std::to_string(i % kColumns + 1) +
               " \"" + visible(std::wstring(1, a.cells[i].Char.UnicodeChar)) + "\" " +
               hex(a.cells[i].Attributes) + " to \"" + visible(std::wstring(1, b.cells[i].Char.UnicodeChar)) +
               "\" " + hex(b.cells[i].Attributes);
      }
    }
    return "cursor row " + std::to_string(a.cursor.Y + 1) + " col " + std::to_string(a.cursor.X + 1) +
           (a.cursorVisible ? " visible" : " hidden") + " to row " + std::to_string(b.cursor.Y + 1) +
           " col " + std::to_string(b.cursor.X + 1) + (b.cursorVisible ? " visible" : " hidden");
  }

  static std::wstring textAt(const Screen& s, int row, int column, int length) {
    std::wstring out;
    for (int i = 0; i < length; ++i) {
      out += s.cells[static_cast<std::size_t>((row - 1) * kColumns + column - 1 + i)].Char.UnicodeChar;
    }
    return out;
  }

  static std::string dumpText(const Screen& s) {
    std::string out;
    for (int row = 1; row <= kRows; ++row) {
      char label[8];
      std::snprintf(label, sizeof label, "%02d|", row);
      out += label + toUtf8(textAt(s, row, 1, kColumns)) + "|\n";
    }
    for (int row = 1; row <= kRows; ++row) {
      char label[8];
      std::snprintf(label, sizeof label, "%02d ", row);
      out += label;
      for (int column = 1; column <= kColumns; ++column) {
        char a[4];
        std::snprintf(
            a, sizeof a, "%02X",
            s.cells[static_cast<std::size_t>((row - 1) * kColumns + column - 1)].Attributes & 0xFFu);
        out += a;
      }
      out += "\n";
    }
    out += "cursor row " + std::to_string(s.cursor.Y + 1) + " col " + std::to_string(s.cursor.X + 1) +
           (s.cursorVisible ? " visible\n" : " hidden\n");
    return out;
  }

  std::wstring program_;
  std::wstring soundTrace_;
  std::ofstream& log_;
  HANDLE in_ = INVALID_HANDLE_VALUE;
  HANDLE out_ = INVALID_HANDLE_VALUE;
  PROCESS_INFORMATION child_{};
  std::optional<Screen> settled_;  // the screen when it last settled
  bool typedSinceSettled_ = true;
  int limitMs_ = 15000;
  int quietMs_ = 400;
  std::map<std::string, Screen> remembered_;
  std::size_t soundsSeen_ = 0;  // sounds of the trace checked already
};

const std::map<std::string, Driver::Handler> Driver::kCommands = {
    {"limit", &Driver::setLimit},
    {"quiet", &Driver::setQuiet},
    {"settitle", &Driver::setTitle},
    {"setcp", &Driver::setCodePage},
    {"write-file", &Driver::writeFile},
    {"make-folder", &Driver::makeFolder},
    {"read-only", &Driver::makeReadOnly},
    {"start", &Driver::start},
    {"key", &Driver::pressKey},
    {"type", &Driver::typeText},
    {"settle", &Driver::settleStep},
    {"sleep", &Driver::sleepStep},
    {"expect", &Driver::expectText},
    {"expectattr", &Driver::expectAttr},
    {"expectcursor", &Driver::expectCursor},
    {"expecttitle", &Driver::expectTitle},
    {"expectcp", &Driver::expectCodePage},
    {"expectsize", &Driver::expectSize},
    {"expect-file", &Driver::expectFile},
    {"dump", &Driver::dumpScreen},
    {"wait-exit", &Driver::waitExitStep},
    {"kill", &Driver::killProgram},
    {"remember", &Driver::remember},
    {"expect-unchanged", &Driver::expectUnchanged},
    {"expect-sounds", &Driver::expectSoundsStep},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: kveld_console_driver PROGRAM SCRIPT LOG [SOUND_TRACE]\n");
    return 2;
  }
  std::ofstream log(argv[3], std::ios::binary);
  std::ifstream script(argv[2], std::ios::binary);
  if (!log || !script) {
    std::fprintf(stderr, "cannot open the script or the log\n");
    return 2;
  }
  try {
    std::vector<wchar_t> folder(MAX_PATH * 4);
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    defineVariable("CD", std::wstring(folder.data(), n < folder.size() ? n : 0));
    Driver driver(argv[1], argc == 5 ? argv[4] : L"", log);
    std::string line;
    int number = 0;
    const auto begin = Clock::now();
    try {
      while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#') continue;
        line = line.substr(first);
        const auto space = line.find(' ');
        const std::string command = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
        log << "[" << elapsed << " ms] " << number << ": " << line << "\n" << std::flush;
        driver.run(command, rest);
      }
      driver.finish();
    } catch (const StepFailed& e) {
      log << "FAIL at line " << number << ": " << e.what() << "\n" << driver.screenDump() << std::flush;
      return 1;
    } catch (const ScriptError& e) {
      log << "SCRIPT ERROR at line " << number << ": " << e.what() << "\n" << std::flush;
      return 2;
    }
  } catch (const std::exception& e) {
    log << "FAIL: " << e.what() << "\n" << std::flush;
    return 1;
  }
  log << "PASS\n";
  return 0;
}
