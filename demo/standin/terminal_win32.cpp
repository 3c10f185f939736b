// The stand-in's console on Windows: the console it shares with the program
// that started it.
#include <windows.h>

#include <cstdio>

#include "terminal.h"

namespace standin {

void showScreen(const std::vector<std::string>& lines) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(out, &info)) {
    const WORD grey = FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE;
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    DWORD written = 0;
    FillConsoleOutputCharacterA(out, ' ', cells, COORD{0, 0}, &written);
    FillConsoleOutputAttribute(out, grey, cells, COORD{0, 0}, &written);
    SetConsoleTextAttribute(out, grey);
    SetConsoleCursorPosition(out, COORD{0, 0});
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

int readKey() {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(in, &mode) == 0) {  // input from a file or a pipe
    char c = 0;
    DWORD read = 0;
    return ReadFile(in, &c, 1, &read, nullptr) && read == 1 ? static_cast<unsigned char>(c) : -1;
  }
  for (;;) {
    INPUT_RECORD record;
    DWORD read = 0;
    if (!ReadConsoleInputW(in, &record, 1, &read)) return -1;
    if (read == 1 && record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) {
      const WCHAR c = record.Event.KeyEvent.uChar.UnicodeChar;
      const WORD key = record.Event.KeyEvent.wVirtualKeyCode;
      if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_CAPITAL) continue;
      return c < 128 ? c : 0;
    }
  }
}

}  // namespace standin
