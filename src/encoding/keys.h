#pragma once
// The keys of the PC keyboard by name, as every part of the program spells
// them: the Win32 console's virtual-key and scan codes, the key text that
// ConsoleDevice::readKey returns, and whether the key only changes others.
// A key with a character reads as that character; a key without one reads
// as the byte 0 followed by its PC key code, which is its scan code except
// for F11 and F12 (the keyboard sends 87 and 88, the PC codes them 133, 134).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kveld {

struct Key {
  std::string_view name;     // as test scripts write it: "Enter", "F11", "Up"
  std::uint16_t virtualKey;  // VK_... of <windows.h>
  std::uint8_t scanCode;     // as the keyboard sends it
  std::uint8_t pcCode;       // what readKey returns after the byte 0
  char character;            // 0: a key without a character
  bool extended;             // ENHANCED_KEY: the grey cursor block
  bool modifier;             // Shift, Ctrl, Alt and the lock keys: no key of its own
};

// One key a line:
// clang-format off
inline constexpr Key kKeys[] = {
    {"Enter", 0x0D, 28, 28, '\r', false, false},
    {"Esc", 0x1B, 1, 1, '\x1b', false, false},
    {"Tab", 0x09, 15, 15, '\t', false, false},
    {"Backspace", 0x08, 14, 14, '\b', false, false},
    {"Space", 0x20, 57, 57, ' ', false, false},
    {"Up", 0x26, 72, 72, 0, true, false},
    {"Down", 0x28, 80, 80, 0, true, false},
    {"Left", 0x25, 75, 75, 0, true, false},
    {"Right", 0x27, 77, 77, 0, true, false},
    {"Home", 0x24, 71, 71, 0, true, false},
    {"End", 0x23, 79, 79, 0, true, false},
    {"PgUp", 0x21, 73, 73, 0, true, false},
    {"PgDn", 0x22, 81, 81, 0, true, false},
    {"Ins", 0x2D, 82, 82, 0, true, false},
    {"Del", 0x2E, 83, 83, 0, true, false},
    {"F1", 0x70, 59, 59, 0, false, false},
    {"F2", 0x71, 60, 60, 0, false, false},
    {"F3", 0x72, 61, 61, 0, false, false},
    {"F4", 0x73, 62, 62, 0, false, false},
    {"F5", 0x74, 63, 63, 0, false, false},
    {"F6", 0x75, 64, 64, 0, false, false},
    {"F7", 0x76, 65, 65, 0, false, false},
    {"F8", 0x77, 66, 66, 0, false, false},
    {"F9", 0x78, 67, 67, 0, false, false},
    {"F10", 0x79, 68, 68, 0, false, false},
    {"F11", 0x7A, 87, 133, 0, false, false},
    {"F12", 0x7B, 88, 134, 0, false, false},
    {"Shift", 0x10, 42, 42, 0, false, true},
    {"Ctrl", 0x11, 29, 29, 0, false, true},
    {"Alt", 0x12, 56, 56, 0, false, true},
    {"CapsLock", 0x14, 58, 58, 0, false, true},
    {"NumLock", 0x90, 69, 69, 0, true, true},
    {"ScrollLock", 0x91, 70, 70, 0, false, true},
    {"LeftShift", 0xA0, 42, 42, 0, false, true},
    {"RightShift", 0xA1, 54, 54, 0, false, true},
    {"LeftCtrl", 0xA2, 29, 29, 0, false, true},
    {"RightCtrl", 0xA3, 29, 29, 0, true, true},
    {"LeftAlt", 0xA4, 56, 56, 0, false, true},
    {"RightAlt", 0xA5, 56, 56, 0, true, true},
};
// clang-format on

// The key of a name; nothing for a name not in the table.
constexpr std::optional<Key> keyNamed(std::string_view name) {
  for (const Key& k : kKeys)
    if (k.name == name) return k;
  return std::nullopt;
}

// The key of a name that must be in the table: a misspelt name does not
// compile where the name is a constant.
consteval Key knownKey(std::string_view name) {
  const std::optional<Key> k = keyNamed(name);
  if (!k) throw "no key of this name";
  return *k;
}

// The key whose virtual-key code this is; nothing for others.
constexpr std::optional<Key> keyOfVirtualKey(std::uint16_t virtualKey) {
  for (const Key& k : kKeys)
    if (k.virtualKey == virtualKey) return k;
  return std::nullopt;
}

// The PC key code of a scan code as the keyboard sends it.
constexpr std::uint16_t pcCodeOfScan(std::uint16_t scanCode) {
  for (const Key& k : kKeys)
    if (k.scanCode == scanCode && k.character == 0 && !k.modifier) return k.pcCode;
  return scanCode;
}

// The text readKey returns for a key without a character of this PC code.
inline std::string codeText(int pcCode) { return std::string{'\0', static_cast<char>(pcCode)}; }

// The text readKey returns for the key.
inline std::string keyText(const Key& k) {
  return k.character != 0 ? std::string(1, k.character) : codeText(k.pcCode);
}

}  // namespace kveld
