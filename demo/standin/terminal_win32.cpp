// The stand-in's console on Windows: the console it shares with the program
// that started it.
#include <conio.h>
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
  DWORD mode = 0;
  if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) == 0) {
    const int c = std::getchar();
    return c == EOF ? -1 : c;
  }
  int c = _getch();
  if (c == 0 || c == 0xE0) {
    _getch();  // the scan code of a key without a character
    return 0;
  }
  return c;
}

}  // namespace standin
