// POSIX terminal console: raw keys, ANSI output of the screen model, the
// program's sounds, and the terminal put back as it was on every way out
// (close, the end of the program, exceptions, and the signals that end it).
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <optional>
#include <stdexcept>

#include "platform/console_device.h"
#include "platform/error_numbers.h"
#include "platform/run_time_error.h"
#include "platform/sound_data.h"
#include "platform/sound_player.h"
#include "platform/terminal_keys.h"
#include "platform/terminal_render.h"
#include "platform/unfinished_file.h"

namespace kveld {
namespace {

constexpr int kSequenceWaitMs = 50;  // an Esc with nothing after it for this long is the Esc key
constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

// What the signal handlers need to put the terminal back. It is filled before
// the handlers are installed and only read by them, so they stay within what
// a signal handler may do (write, tcsetattr).
struct Restore {
  termios modes{};
  std::string text;
  volatile sig_atomic_t rawMode = 0;  // the modes above are to be put back
  volatile sig_atomic_t drawn = 0;    // the text above is to be written
};
Restore restore;
volatile sig_atomic_t resized = 0;
std::terminate_handler oldTerminate = nullptr;

void restoreTerminal() {
  if (restore.drawn) {
    restore.drawn = 0;
    [[maybe_unused]] const ssize_t n = write(STDOUT_FILENO, restore.text.data(), restore.text.size());
  }
  if (restore.rawMode) {
    restore.rawMode = 0;
    tcsetattr(STDIN_FILENO, TCSADRAIN, &restore.modes);
  }
}

// Installed with SA_RESETHAND: raising the signal again, once the terminal is
// back, ends the program as the signal would have.
void onEndSignal(int signal) {
  restoreTerminal();
  removeUnfinishedFile();
  raise(signal);
}

void onResize(int) { resized = 1; }

void onTerminate() {
  restoreTerminal();
  if (oldTerminate) oldTerminate();
  std::abort();
}

bool largeEnough() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return false;
  return size.ws_col >= ScreenModel::kColumns && size.ws_row >= ScreenModel::kRows;
}

void checkTerminal() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    throw std::runtime_error("standard input and output must be a terminal");
  }
  winsize size{};
  ioctl(STDOUT_FILENO, TIOCGWINSZ, &size);
  if (size.ws_col < ScreenModel::kColumns || size.ws_row < ScreenModel::kRows) {
    throw std::runtime_error("the terminal has " + std::to_string(size.ws_col) + " columns and " +
                             std::to_string(size.ws_row) + " rows; it needs at least 80 x 25");
  }
}

class PosixConsole : public ConsoleDevice {
 public:
  ~PosixConsole() override { close(); }

  void open(const std::string& title) override {
    checkTerminal();
    if (tcgetattr(STDIN_FILENO, &restore.modes) != 0) {
      throw std::runtime_error("the terminal's modes cannot be read");
    }
    restore.text = terminalRestoreText();
    installHandlers();
    // Raw mode: every byte as typed, no echo, no signals from keys (Ctrl+C
    // arrives as 3), no CR/LF translation either way.
    termios raw = restore.modes;
    raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | INPCK | ISTRIP | IXON);
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    raw.c_cflag |= CS8;
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    restore.rawMode = 1;
    tcsetattr(STDIN_FILENO, TCSADRAIN, &raw);
    open_ = true;
    prefix_ = terminalTitleText(title);  // written with the first screen
    renderer_.invalidate();
    if (auto command = findSoundPlayer()) sound_ = std::make_unique<SoundPlayer>(std::move(*command));
  }

  void close() override {
    if (!open_) return;
    open_ = false;
    sound_.reset();
    restoreTerminal();
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) sigaction(kEndSignals[i], &oldActions_[i], nullptr);
    sigaction(SIGWINCH, &oldResize_, nullptr);
    std::set_terminate(oldTerminate);
    pending_.clear();
    shown_.reset();
  }

  void present(const ScreenModel& screen) override {
    if (!open_) return;
    shown_ = screen;
    show();
  }

  std::string readKey() override {
    for (;;) {
      if (!pending_.empty()) {
        const DecodedKey key = decodeKey(pending_, false);
        if (key.length > 0) return take(key);
      }
      if (!waitForInput(pending_.empty() ? -1 : kSequenceWaitMs)) return take(decodeKey(pending_, true));
      char buffer[256];
      const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
      if (n > 0) {
        pending_.append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        throw RunTimeError(err::kInputPastEnd, "the terminal has closed");
      }
    }
  }

  void flushKeys() override {
    tcflush(STDIN_FILENO, TCIFLUSH);
    pending_.clear();
  }

  void playSound(const std::string& name) override {
    if (sound_ && sound_->play(soundWave(name))) return;
    [[maybe_unused]] const ssize_t n = write(STDOUT_FILENO, "\a", 1);  // no audio: the terminal's bell
  }

  // Keys typed meanwhile wait in the terminal's input queue.
  void pause(int milliseconds) override {
    timespec left{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
      if (resized) show();
    }
  }

 private:
  void installHandlers() {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    for (int s : kEndSignals) sigaddset(&action.sa_mask, s);
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    action.sa_handler = onEndSignal;
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
      sigaction(kEndSignals[i], nullptr, &oldActions_[i]);
      if (oldActions_[i].sa_handler != SIG_IGN) sigaction(kEndSignals[i], &action, nullptr);  // nohup stays
    }
    action.sa_flags = 0;  // no SA_RESTART: a resize interrupts the wait for a key
    action.sa_handler = onResize;
    sigaction(SIGWINCH, &action, &oldResize_);
    oldTerminate = std::set_terminate(onTerminate);
  }

  std::string take(const DecodedKey& key) {
    pending_.erase(0, key.length);
    return key.key;
  }

  // Waits for input, repainting after a resize; false when `timeoutMs` passed.
  bool waitForInput(int timeoutMs) {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    for (;;) {
      const int ready = poll(&in, 1, timeoutMs);
      if (ready >= 0) return ready > 0;
      if (errno != EINTR) throw RunTimeError(errorNumberFromErrno(errno), "the terminal cannot be read");
      if (resized) show();
    }
  }

  // Writes what changed; after a resize the whole screen, or, while the
  // terminal is too small for it, a note instead.
  void show() {
    if (!shown_) return;
    std::string out = std::move(prefix_);
    prefix_.clear();
    if (resized) {
      resized = 0;
      renderer_.invalidate();
      tooSmall_ = !largeEnough();
      if (tooSmall_) out += "\x1b[0m\x1b[2J\x1b[H\x1b[?25hPlease make the terminal at least 80 x 25.";
    }
    if (!tooSmall_) out += renderer_.render(*shown_);
    restore.drawn = 1;
    writeAll(out);
  }

  void writeAll(std::string_view text) {
    while (!text.empty()) {
      const ssize_t n = write(STDOUT_FILENO, text.data(), text.size());
      if (n > 0) {
        text.remove_prefix(static_cast<std::size_t>(n));
      } else if (n < 0 && errno == EAGAIN) {
        pollfd out{STDOUT_FILENO, POLLOUT, 0};
        poll(&out, 1, -1);
      } else if (n < 0 && errno != EINTR) {
        throw RunTimeError(errorNumberFromErrno(errno), "the terminal cannot be written");
      }
    }
  }

  bool open_ = false;
  bool tooSmall_ = false;
  TerminalRenderer renderer_;
  std::optional<ScreenModel> shown_;
  std::string pending_;  // bytes read but not yet decoded
  std::string prefix_;   // the title, written with the first screen
  std::unique_ptr<SoundPlayer> sound_;
  struct sigaction oldActions_[std::size(kEndSignals)] {};
  struct sigaction oldResize_ {};
};

}  // namespace

std::unique_ptr<ConsoleDevice> makeRealConsole() { return std::make_unique<PosixConsole>(); }

}  // namespace kveld
