// POSIX terminal console: raw keys, ANSI output of the screen model, the
// program's sounds, and the terminal put back as it was on every way out
// (close, the end of the program, exceptions, and the signals that end it).
#include <langinfo.h>
#include <locale.h>
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
#include <vector>

#include "encoding/terminal_keys.h"
#include "encoding/terminal_render.h"
#include "platform/console_device.h"
#include "platform/error_numbers.h"
#include "platform/run_time_error.h"
#include "platform/sound_data.h"
#include "platform/sound_player_posix.h"
#include "platform/unfinished_file_posix.h"

namespace kveld {
namespace {

// An Esc with nothing after it for this long is the Esc key. Long enough for
// the rest of a key's sequence to follow over a slow remote link, as the
// common terminal editors wait.
constexpr int kLoneEscWaitMs = 100;
// How long a terminal asked to become 80 x 25 is given to do so.
constexpr int kResizeAnswerMs = 300;
// How often the size is looked at again while the note on size is shown
// (a resize signal also ends the wait at once).
constexpr int kSizeCheckMs = 250;
// How often, while a key is awaited, a sound player is looked at to be
// waited for once it has ended.
constexpr int kPlayerCheckMs = 200;
constexpr char kAskFor80x25[] = "\x1b[8;25;80t";  // xterm's window-size request, honoured by many
constexpr char kSizeNote[] = "\x1b[0m\x1b[2J\x1b[H\x1b[?25hPlease make the terminal at least 80 x 25.";
constexpr int kLentSignals[] = {SIGINT, SIGQUIT};  // from keys, while a program started has the terminal

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
  removeUnfinishedFiles();
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

long long nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// What the terminal can be sent, by the locale the user chose.
TerminalCharset localeCharset() {
  const char* name = nullptr;
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      name = value;
      break;
    }
  }
  if (name == nullptr) return terminalCharset("", "");
  // The program itself runs in the "C" locale; the user's is looked at only
  // for its character set, and the "C" locale put back.
  const char* current = setlocale(LC_CTYPE, nullptr);
  const std::string before = current != nullptr ? current : "C";
  std::string codeset;
  if (setlocale(LC_CTYPE, "") != nullptr) codeset = nl_langinfo(CODESET);
  setlocale(LC_CTYPE, before.c_str());
  return terminalCharset(name, codeset);
}

class PosixConsole : public ConsoleDevice {
 public:
  ~PosixConsole() override { close(); }

  void open(const std::string& title) override {
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
      throw std::runtime_error("standard input and output must be a terminal");
    }
    if (tcgetattr(STDIN_FILENO, &restore.modes) != 0) {
      throw std::runtime_error("the terminal's modes cannot be read");
    }
    restore.text = terminalRestoreText();
    installHandlers();
    // Raw mode: every byte as typed, no echo, no signals from keys (Ctrl+C
    // arrives as 3), no CR/LF translation either way.
    raw_ = restore.modes;
    termios& raw = raw_;
    raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | INPCK | ISTRIP | IXON);
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    raw.c_cflag |= CS8;
    raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    restore.rawMode = 1;
    tcsetattr(STDIN_FILENO, TCSADRAIN, &raw);
    open_ = true;
    resized = 0;
    charset_ = localeCharset();
    title_ = title;
    renderer_ = TerminalRenderer(charset_);
    prefix_ = terminalTitleText(title_, charset_);  // written with the first screen
    if (!largeEnough() && !waitForSize()) {
      close();
      throw EndedBeforeStart{};
    }
    if (auto command = findSoundPlayer()) sound_ = std::make_unique<SoundPlayer>(std::move(*command));
  }

  void close() override {
    if (!open_) return;
    takeBack();
    open_ = false;
    sound_.reset();
    restoreTerminal();
    for (std::size_t i = 0; i < oldActions_.size(); ++i)
      sigaction(endingSignals()[i], &oldActions_[i], nullptr);
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

  std::string readKey() override { return *nextKey(false); }

  void flushKeys() override {
    tcflush(STDIN_FILENO, TCIFLUSH);
    pending_.clear();
  }

  void playSound(Sound sound) override {
    if (sound_ && sound_->play(soundWave(soundName(sound)))) return;
    [[maybe_unused]] const ssize_t n = write(STDOUT_FILENO, "\a", 1);  // no audio: the terminal's bell
  }

  // The terminal as the program found it, with its own colours, title and
  // cursor, below the last screen; Ctrl+C and Ctrl+Backslash then end the program
  // started, and this one, which waits for it, lets them pass (as system()
  // does).
  void handOver() override {
    if (!open_ || handedOver_) return;
    handedOver_ = true;
    writeAll(restore.text);
    restore.drawn = 0;
    restore.rawMode = 0;
    tcsetattr(STDIN_FILENO, TCSADRAIN, &restore.modes);
    struct sigaction ignore {};
    sigemptyset(&ignore.sa_mask);
    ignore.sa_handler = SIG_IGN;
    for (std::size_t i = 0; i < std::size(kLentSignals); ++i)
      sigaction(kLentSignals[i], &ignore, &lentActions_[i]);
  }

  // Raw keys again, and the whole screen (with the title) at the next present.
  void takeBack() override {
    if (!handedOver_) return;
    handedOver_ = false;
    for (std::size_t i = 0; i < std::size(kLentSignals); ++i)
      sigaction(kLentSignals[i], &lentActions_[i], nullptr);
    restore.rawMode = 1;
    tcsetattr(STDIN_FILENO, TCSADRAIN, &raw_);
    prefix_ = terminalTitleText(title_, charset_);
    renderer_.invalidate();
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
    action.sa_mask = endingSignalSet();
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    action.sa_handler = onEndSignal;
    oldActions_.resize(endingSignals().size());
    for (std::size_t i = 0; i < oldActions_.size(); ++i) {
      const int s = endingSignals()[i];
      sigaction(s, nullptr, &oldActions_[i]);
      if (oldActions_[i].sa_handler != SIG_IGN) sigaction(s, &action, nullptr);  // nohup stays
    }
    action.sa_flags = 0;  // no SA_RESTART: a resize interrupts the wait for a key
    action.sa_handler = onResize;
    sigaction(SIGWINCH, &action, &oldResize_);
    oldTerminate = std::set_terminate(onTerminate);
  }

  // At the start, in a terminal too small for the screen: asks the terminal
  // to become 80 x 25, and while it stays smaller shows a note until the
  // user makes it larger. False when the user ends the program at the note
  // instead, with Esc or Q; other keys typed there are dropped.
  bool waitForSize() {
    writeAll(kAskFor80x25);
    const long long deadline = nowMs() + kResizeAnswerMs;
    for (long long left = kResizeAnswerMs; left > 0 && !largeEnough(); left = deadline - nowMs()) {
      poll(nullptr, 0, static_cast<int>(left));  // a resize signal ends it early
    }
    bool noteShown = false;
    while (!largeEnough()) {
      if (!noteShown || resized) {
        resized = 0;
        restore.drawn = 1;
        writeAll(std::string(kSizeNote) + "\r\nEsc or Q ends the program.");
        noteShown = true;
      }
      const std::optional<std::string> key = nextKey(true);
      if (key && (*key == "\x1b" || *key == "q" || *key == "Q")) return false;
    }
    resized = 0;
    pending_.clear();
    return true;
  }

  // The next key; with `sizeWatch`, nothing when the terminal was resized
  // or when it is time to look at its size again.
  std::optional<std::string> nextKey(bool sizeWatch) {
    for (;;) {
      if (!pending_.empty()) {
        const DecodedKey key = decodeKey(pending_, false);
        if (key.length > 0) return take(key);
      }
      const bool player = sound_ && sound_->unreaped();
      int timeoutMs = -1;
      if (!pending_.empty()) {
        timeoutMs = kLoneEscWaitMs;
      } else if (sizeWatch) {
        timeoutMs = kSizeCheckMs;
      } else if (player) {
        timeoutMs = kPlayerCheckMs;
      }
      const Wait wait = waitForInput(timeoutMs, sizeWatch);
      if (player) sound_->reap();
      if (wait == Wait::resize) return std::nullopt;
      if (wait == Wait::timedOut) {
        if (!pending_.empty()) return take(decodeKey(pending_, true));
        if (sizeWatch) return std::nullopt;
        continue;
      }
      char buffer[256];
      const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
      if (n > 0) {
        pending_.append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        throw RunTimeError(err::kInputPastEnd, "the terminal has closed");
      }
    }
  }

  std::string take(const DecodedKey& key) {
    pending_.erase(0, key.length);
    return key.key;
  }

  enum class Wait { input, timedOut, resize };

  // Waits for input, repainting after a resize (or, with `stopOnResize`,
  // returning then).
  Wait waitForInput(int timeoutMs, bool stopOnResize) {
    pollfd in{STDIN_FILENO, POLLIN, 0};
    for (;;) {
      const int ready = poll(&in, 1, timeoutMs);
      if (ready >= 0) return ready > 0 ? Wait::input : Wait::timedOut;
      if (errno != EINTR) throw RunTimeError(errorNumberFromErrno(errno), "the terminal cannot be read");
      if (resized && stopOnResize) return Wait::resize;
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
      if (tooSmall_) out += kSizeNote;
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
  bool handedOver_ = false;
  bool tooSmall_ = false;
  termios raw_{};
  std::string title_;
  TerminalCharset charset_ = TerminalCharset::utf8;
  TerminalRenderer renderer_;
  std::optional<ScreenModel> shown_;
  std::string pending_;  // bytes read but not yet decoded
  std::string prefix_;   // the title, written with the first screen
  std::unique_ptr<SoundPlayer> sound_;
  std::vector<struct sigaction> oldActions_;
  struct sigaction oldResize_ {};
  struct sigaction lentActions_[std::size(kLentSignals)]{};
};

}  // namespace

std::unique_ptr<ConsoleDevice> makeRealConsole() { return std::make_unique<PosixConsole>(); }

}  // namespace kveld
