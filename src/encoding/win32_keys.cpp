#include "encoding/win32_keys.h"

#include "encoding/cp437.h"
#include "encoding/keys.h"

namespace kveld {
namespace {

// Shift, Ctrl, Alt and the lock keys only change other keys.
bool isLockOrModifier(std::uint16_t vk) {
  const std::optional<Key> k = keyOfVirtualKey(vk);
  return k && k->modifier;
}

std::optional<std::string> scanKey(std::uint16_t scan) {
  const std::uint16_t pc = pcCodeOfScan(scan);
  if (pc == 0 || pc > 255) return std::nullopt;
  return codeText(pc);
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
