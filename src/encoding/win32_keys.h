#pragma once
// Turning a Win32 console key event into the key text that waitKey returns.
// Kept free of <windows.h> so that it is tested on every platform.
#include <cstdint>
#include <optional>
#include <string>

namespace kveld {

// The fields of a console key event (KEY_EVENT_RECORD) that decide the key.
struct ConsoleKeyEvent {
  bool keyDown = true;
  std::uint16_t repeatCount = 1;
  std::uint16_t virtualKey = 0;
  std::uint16_t scanCode = 0;  // as the keyboard sends it (F11 is 87)
  char16_t character = 0;      // 0 for a key without a character
};

// The key text of one press: the code-page-437 byte of the key's character,
// or the character 0 followed by the PC scan code of a key without one (F11
// and F12 as 133 and 134). Nothing for a key release, for Shift, Ctrl, Alt,
// Caps Lock, Num Lock or Scroll Lock alone, and for an event that carries
// neither a character nor a scan code.
std::optional<std::string> keyText(const ConsoleKeyEvent& event);

// How many presses an event stands for: a key held down arrives as one event
// with a repeat count.
int keyPresses(const ConsoleKeyEvent& event);

}  // namespace kveld
