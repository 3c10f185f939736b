// The stand-in's console on a POSIX terminal. The terminal may still be in
// the raw mode of the program that started it, so lines end in CR LF.
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "terminal.h"

namespace standin {

void showScreen(const std::vector<std::string>& lines) {
  std::string out = "\x1b[0m\x1b[2J\x1b[H";
  for (const std::string& line : lines) out += line + "\r\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}

int readKey() {
  termios saved{};
  const bool terminal = tcgetattr(STDIN_FILENO, &saved) == 0;
  if (terminal) {
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  }
  unsigned char c = 0;
  const ssize_t n = read(STDIN_FILENO, &c, 1);
  if (terminal) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  return n == 1 ? c : -1;
}

}  // namespace standin
