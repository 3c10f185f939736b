#include "testing/scripted_console.h"

namespace kveld {

ScriptedConsole::ScriptedConsole(std::vector<std::string> keys) { addKeys(keys); }

void ScriptedConsole::addKeys(const std::vector<std::string>& keys) {
  keys_.insert(keys_.end(), keys.begin(), keys.end());
}

void ScriptedConsole::typeAhead(const std::vector<std::string>& keys) {
  ahead_.insert(ahead_.end(), keys.begin(), keys.end());
}

void ScriptedConsole::open(const std::string& title) { title_ = title; }

std::string ScriptedConsole::readKey() {
  atKeys_.push_back(screen_);
  std::deque<std::string>& from = ahead_.empty() ? keys_ : ahead_;
  if (from.empty()) {
    throw ScriptExhausted("the program waits for key number " + std::to_string(atKeys_.size()) +
                          ", but the script holds no more keys");
  }
  std::string key = from.front();
  from.pop_front();
  events_.push_back({Event::key, key, 0});
  return key;
}

void ScriptedConsole::flushKeys() {
  ahead_.clear();
  events_.push_back({Event::flush, "", 0});
}

void ScriptedConsole::playSound(Sound sound) {
  events_.push_back({Event::sound, std::string(soundName(sound)), 0});
}

void ScriptedConsole::pause(int milliseconds) { events_.push_back({Event::pause, "", milliseconds}); }

std::vector<std::string> ScriptedConsole::sounds() const {
  std::vector<std::string> out;
  for (const Event& e : events_)
    if (e.kind == Event::sound) out.push_back(e.text);
  return out;
}

std::vector<int> ScriptedConsole::pauses() const {
  std::vector<int> out;
  for (const Event& e : events_)
    if (e.kind == Event::pause) out.push_back(e.milliseconds);
  return out;
}

std::vector<std::string> keys::typed(const std::string& text) {
  std::vector<std::string> out;
  for (char c : text) out.emplace_back(1, c);
  return out;
}

std::string textAt(const ScreenModel& s, int column, int row, int length) {
  std::string out;
  for (int c = column; c < column + length && c <= ScreenModel::kColumns; ++c)
    out += static_cast<char>(s.at(c, row).ch);
  return out;
}

bool allAttr(const ScreenModel& s, int column, int row, int length, int attr) {
  for (int c = column; c < column + length; ++c)
    if (s.at(c, row).attr != attr) return false;
  return true;
}

}  // namespace kveld
