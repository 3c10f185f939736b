// POSIX terminal console (first cut: full repaint, plain byte keys).
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/console_device.h"

namespace kveld {
namespace {

class PosixConsole : public ConsoleDevice {
 public:
  void open(const std::string& title) override {
    if (tcgetattr(STDIN_FILENO, &saved_) == 0) {
      termios raw = saved_;
      raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
      raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
      tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw);
      raw_ = true;
    }
    std::printf("\x1b]0;%s\x07", title.c_str());
  }
  void close() override {
    if (raw_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    raw_ = false;
    std::printf("\x1b[0m\x1b[?25h\r\n");
    std::fflush(stdout);
  }
  void present(const ScreenModel&) override { std::fflush(stdout); }
  std::string readKey() override {
    char c = 0;
    if (read(STDIN_FILENO, &c, 1) != 1) return "\x1b";
    return std::string(1, c);
  }
  void flushKeys() override { tcflush(STDIN_FILENO, TCIFLUSH); }
  void playSound(const std::string&) override {}
  void pause(int milliseconds) override { usleep(static_cast<useconds_t>(milliseconds) * 1000u); }

 private:
  termios saved_{};
  bool raw_ = false;
};

}  // namespace

std::unique_ptr<ConsoleDevice> makeRealConsole() { return std::make_unique<PosixConsole>(); }

}  // namespace kveld
