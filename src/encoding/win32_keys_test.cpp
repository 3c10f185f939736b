#include "encoding/win32_keys.h"

#include <gtest/gtest.h>

namespace kveld {
namespace {

std::string scan(int code) { return std::string(1, '\0') + static_cast<char>(code); }

ConsoleKeyEvent down(std::uint16_t vk, std::uint16_t scanCode, char16_t ch) {
  return ConsoleKeyEvent{true, 1, vk, scanCode, ch};
}

TEST(Win32Keys, KeyPressesBecomeTheirKeyTexts) {
  const struct {
    const char* what;
    ConsoleKeyEvent event;
    std::string key;
  } cases[] = {
      {"letter", down('A', 30, u'a'), "a"},
      {"shifted letter", down('A', 30, u'A'), "A"},
      {"digit", down('1', 2, u'1'), "1"},
      {"Enter", down(0x0D, 28, u'\r'), "\r"},
      {"Esc", down(0x1B, 1, u'\x1b'), "\x1b"},
      {"Backspace", down(0x08, 14, u'\b'), "\b"},
      {"Ctrl+C is a key, not a break", down('C', 46, u'\x03'), "\x03"},
      {"Ctrl+Backspace", down(0x08, 14, u'\x7f'), "\x7f"},
      {"Up", down(0x26, 72, 0), scan(72)},
      {"Del", down(0x2E, 83, 0), scan(83)},
      {"F1", down(0x70, 59, 0), scan(59)},
      {"F10", down(0x79, 68, 0), scan(68)},
      {"F11 as the PC codes it", down(0x7A, 87, 0), scan(133)},
      {"F12 as the PC codes it", down(0x7B, 88, 0), scan(134)},
      {"accented letter in code page 437", down(0, 0, u'\u00e9'), "\x82"},
      {"box character", down(0, 0, u'\u2554'), "\xc9"},
      {"no code-page-437 glyph: the key's scan code", down('E', 18, u'\u20ac'), scan(18)},
  };
  for (const auto& c : cases) {
    const auto key = keyText(c.event);
    ASSERT_TRUE(key.has_value()) << c.what;
    EXPECT_EQ(*key, c.key) << c.what;
  }
}

TEST(Win32Keys, ReleasesModifiersAndLocksAloneAreNoKeyPresses) {
  const struct {
    const char* what;
    ConsoleKeyEvent event;
  } cases[] = {
      {"release of a letter", ConsoleKeyEvent{false, 1, 'A', 30, u'a'}},
      {"release of Enter", ConsoleKeyEvent{false, 1, 0x0D, 28, u'\r'}},
      {"Shift", down(0x10, 42, 0)},
      {"Ctrl", down(0x11, 29, 0)},
      {"Alt", down(0x12, 56, 0)},
      {"Caps Lock", down(0x14, 58, 0)},
      {"Num Lock", down(0x90, 69, 0)},
      {"Scroll Lock", down(0x91, 70, 0)},
      {"right Alt", down(0xA5, 56, 0)},
      {"left Shift", down(0xA0, 42, 0)},
      {"neither character nor scan code", down(0xB3, 0, 0)},
      {"scan code beyond one byte", down(0, 0x1E0, 0)},
  };
  for (const auto& c : cases) EXPECT_FALSE(keyText(c.event).has_value()) << c.what;
}

TEST(Win32Keys, AHeldKeyCountsOnceForEachRepeat) {
  EXPECT_EQ(keyPresses(ConsoleKeyEvent{true, 3, 'A', 30, u'a'}), 3);
  EXPECT_EQ(keyPresses(ConsoleKeyEvent{true, 1, 'A', 30, u'a'}), 1);
  // A count of 0 (a synthesised event) is still one press.
  EXPECT_EQ(keyPresses(ConsoleKeyEvent{true, 0, 'A', 30, u'a'}), 1);
}

}  // namespace
}  // namespace kveld
