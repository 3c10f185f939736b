#pragma once
// A console device for tests: keys come from a script; what the program
// shows, the sounds it plays and its pauses are recorded in order.
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "encoding/keys.h"
#include "platform/console_device.h"

namespace kveld {

// Raised when the program waits for a key that the script does not hold; a
// test fails with this message instead of hanging.
class ScriptExhausted : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class ScriptedConsole : public ConsoleDevice {
 public:
  struct Event {
    enum Kind { key, flush, sound, pause } kind;
    std::string text;  // key read or sound name ("beep2")
    int milliseconds = 0;
  };

  explicit ScriptedConsole(std::vector<std::string> keys = {});

  void addKeys(const std::vector<std::string>& keys);
  // Keys typed "ahead": they are already waiting when flushKeys runs, so a
  // flush discards them. Plain keys are typed only when the program waits.
  void typeAhead(const std::vector<std::string>& keys);

  void open(const std::string& title) override;
  void close() override { closed_ = true; }
  void present(const ScreenModel& screen) override { screen_ = screen; }
  std::string readKey() override;
  void flushKeys() override;
  void playSound(Sound sound) override;
  void pause(int milliseconds) override;

  // The screen as last shown, and as shown at each wait for a key.
  const ScreenModel& screen() const { return screen_; }
  const std::vector<ScreenModel>& screensAtKeys() const { return atKeys_; }
  const std::vector<Event>& events() const { return events_; }
  std::vector<std::string> sounds() const;
  std::vector<int> pauses() const;
  const std::string& title() const { return title_; }
  bool closed() const { return closed_; }
  std::size_t keysLeft() const { return keys_.size() + ahead_.size(); }

 private:
  std::deque<std::string> keys_;
  std::deque<std::string> ahead_;
  ScreenModel screen_;
  std::vector<ScreenModel> atKeys_;
  std::vector<Event> events_;
  std::string title_;
  bool closed_ = false;
};

// Key texts as waitKey returns them.
namespace keys {
inline const std::string enter = keyText(knownKey("Enter"));
inline const std::string esc = keyText(knownKey("Esc"));
inline const std::string backspace = keyText(knownKey("Backspace"));
inline std::string scan(int code) { return codeText(code); }
inline const std::string up = keyText(knownKey("Up"));
inline const std::string down = keyText(knownKey("Down"));
inline const std::string left = keyText(knownKey("Left"));
inline const std::string right = keyText(knownKey("Right"));
inline const std::string f1 = keyText(knownKey("F1"));
inline const std::string f10 = keyText(knownKey("F10"));
// One key per character of the text.
std::vector<std::string> typed(const std::string& text);
}  // namespace keys

// Text of `length` cells from (column, row), and whether they all carry one
// attribute.
std::string textAt(const ScreenModel& s, int column, int row, int length);
bool allAttr(const ScreenModel& s, int column, int row, int length, int attr);

}  // namespace kveld
