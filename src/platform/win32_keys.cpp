#include "platform/win32_keys.h"

#include "platform/cp437.h"

namespace kveld {
namespace {

// Virtual-key codes of the keys that only change other keys (the values of
// VK_SHIFT ... VK_RMENU in <windows.h>).
bool isLockOrModifier(std::uint16_t vk) {
  switch (vk) {
    case 0x10: case 0x11: case 0x12:  // Shift, Ctrl, Alt
    case 0x14:                        // Caps Lock
    case 0x90: case 0x91:             // Num Lock, Scroll Lock
    case 0xA0: case 0xA1: case 0xA2: case 0xA3: case 0xA4: case 0xA5:  // left and right ones
      return true;
    default:
      return false;
  }
}

// The keyboard sends F11 and F12 as 87 and 88; the PC's key codes, which the
// rest of the program uses, are 133 and 134.
std::uint16_t pcScanCode(std::uint16_t scan) {
  if (scan == 87) return 133;
  if (scan == 88) return 134;
  return scan;
}

std::optional<std::string> scanKey(std::uint16_t scan) {
  const std::uint16_t pc = pcScanCode(scan);
  if (pc == 0 || pc > 255) return std::nullopt;
  return std::string(1, '\0') + static_cast<char>(pc);
}

}  // namespace

std::optional<std::string> keyText(const ConsoleKeyEvent& e) {
  if (!e.keyDown || isLockOrModifier(e.virtualKey)) return std::nullopt;
  const char16_t c = e.character;
  if (c == 0) return scanKey(e.scanCode);
  // Control characters (Enter 13, Esc 27, Backspace 8, Ctrl+C 3, Ctrl+Backspace
  // 127) are their own bytes; code page 437 shows them as glyphs instead.
  if (c < 32 || c == 127) return std::string(1, static_cast<char>(c));
  const std::uint8_t byte = unicodeToCp437(c);
  // A character that code page 437 cannot hold counts as a key without one.
  if (byte == 0) return scanKey(e.scanCode);
  return std::string(1, static_cast<char>(byte));
}

int keyPresses(const ConsoleKeyEvent& e) { return e.repeatCount == 0 ? 1 : e.repeatCount; }

}  // namespace kveld
