#include "driver_keys.h"

#include <cctype>
#include <optional>

#include "driver_text.h"
#include "encoding/keys.h"

namespace driver {

namespace {

// The virtual-key code of a key of the US layout, by its unshifted character.
WORD virtualKeyOf(char base) {
  if (base >= 'a' && base <= 'z') return static_cast<WORD>(base - 'a' + 'A');
  if (base >= '0' && base <= '9') return static_cast<WORD>(base);
  static const struct {
    char base;
    WORD vk;
  } punctuation[] = {{'-', VK_OEM_MINUS}, {'=', VK_OEM_PLUS},   {'[', VK_OEM_4}, {']', VK_OEM_6},
                     {';', VK_OEM_1},     {'\'', VK_OEM_7},     {'`', VK_OEM_3}, {'\\', VK_OEM_5},
                     {',', VK_OEM_COMMA}, {'.', VK_OEM_PERIOD}, {'/', VK_OEM_2}};
  for (const auto& p : punctuation) {
    if (p.base == base) return p.vk;
  }
  return 0;
}

}  // namespace

KeyStroke strokeFor(wchar_t c) {
  // The four rows of the US layout, plain and with Shift, and the scan code
  // of the first key of each.
  static const char* const rows[] = {"1234567890-=", "qwertyuiop[]", "asdfghjkl;'`", "\\zxcvbnm,./"};
  static const char* const shifted[] = {"!@#$%^&*()_+", "QWERTYUIOP{}", "ASDFGHJKL:\"~", "|ZXCVBNM<>?"};
  static const WORD firstScan[] = {2, 16, 30, 43};
  if (c == L' ') return {VK_SPACE, 57, L' ', 0};
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; rows[r][k] != 0; ++k) {
      const bool shift = shifted[r][k] == c;
      if (rows[r][k] != c && !shift) continue;
      return {virtualKeyOf(rows[r][k]), static_cast<WORD>(firstScan[r] + k), c,
              shift ? static_cast<DWORD>(SHIFT_PRESSED) : 0};
    }
  }
  return {VK_PACKET, 0, c, 0};  // any other character, as input methods send it
}

KeyStroke namedKey(const std::string& name) {
  // The program's own key table gives the codes, so that the driver presses
  // exactly the keys the program knows by these names.
  if (const std::optional<kveld::Key> k = kveld::keyNamed(name)) {
    DWORD state = k->extended ? static_cast<DWORD>(ENHANCED_KEY) : 0;
    if (k->virtualKey == VK_SHIFT) state |= SHIFT_PRESSED;
    if (k->virtualKey == VK_CONTROL) state |= LEFT_CTRL_PRESSED;
    if (k->virtualKey == VK_MENU) state |= LEFT_ALT_PRESSED;
    return {k->virtualKey, k->scanCode, static_cast<wchar_t>(static_cast<unsigned char>(k->character)),
            state};
  }
  if (name.rfind("Ctrl+", 0) == 0 && name.size() == 6) {
    KeyStroke k = strokeFor(static_cast<wchar_t>(std::tolower(static_cast<unsigned char>(name[5]))));
    if (k.vk < 'A' || k.vk > 'Z') throw ScriptError("Ctrl+ takes a letter");
    k.ch = static_cast<wchar_t>(k.vk - 'A' + 1);
    k.state = LEFT_CTRL_PRESSED;
    return k;
  }
  if (name.rfind("Alt+", 0) == 0 && name.size() == 5) {
    KeyStroke k = strokeFor(static_cast<wchar_t>(std::tolower(static_cast<unsigned char>(name[4]))));
    k.state = LEFT_ALT_PRESSED;
    return k;
  }
  const std::wstring w = parseText(name);
  if (w.size() == 1) return strokeFor(w[0]);
  throw ScriptError("unknown key " + name);
}

namespace {

INPUT_RECORD keyRecord(const KeyStroke& k, bool down) {
  INPUT_RECORD r{};
  r.EventType = KEY_EVENT;
  r.Event.KeyEvent.bKeyDown = down ? TRUE : FALSE;
  r.Event.KeyEvent.wRepeatCount = 1;
  r.Event.KeyEvent.wVirtualKeyCode = k.vk;
  r.Event.KeyEvent.wVirtualScanCode = k.scan;
  r.Event.KeyEvent.uChar.UnicodeChar = k.ch;
  r.Event.KeyEvent.dwControlKeyState = k.state;
  return r;
}

}  // namespace

// The events of one stroke: modifiers down, the key down and up, modifiers up.
void appendStroke(std::vector<INPUT_RECORD>& out, const KeyStroke& k) {
  const bool isModifier = k.vk == VK_SHIFT || k.vk == VK_CONTROL || k.vk == VK_MENU;
  struct Mod {
    DWORD flag;
    KeyStroke key;
  };
  const Mod mods[] = {{SHIFT_PRESSED, {VK_SHIFT, 42, 0, SHIFT_PRESSED}},
                      {LEFT_CTRL_PRESSED, {VK_CONTROL, 29, 0, LEFT_CTRL_PRESSED}},
                      {LEFT_ALT_PRESSED, {VK_MENU, 56, 0, LEFT_ALT_PRESSED}}};
  if (!isModifier) {
    for (const Mod& m : mods) {
      if (k.state & m.flag)
        out.push_back(
            keyRecord(KeyStroke{m.key.vk, m.key.scan, 0, k.state & ~static_cast<DWORD>(ENHANCED_KEY)}, true));
    }
  }
  out.push_back(keyRecord(k, true));
  KeyStroke up = k;
  if (isModifier) up.state = 0;
  out.push_back(keyRecord(up, false));
  if (!isModifier) {
    for (const Mod& m : mods) {
      if (k.state & m.flag) out.push_back(keyRecord(KeyStroke{m.key.vk, m.key.scan, 0, 0}, false));
    }
  }
}

}  // namespace driver
