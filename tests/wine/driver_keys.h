#pragma once
// Key strokes as a keyboard sends them into a Win32 console: virtual-key
// code, scan code, character and the state of Shift, Ctrl and Alt, with the
// modifier keys pressed and released around the key.
#include <windows.h>

#include <string>
#include <vector>

namespace driver {

struct KeyStroke {
  WORD vk = 0;
  WORD scan = 0;
  wchar_t ch = 0;
  DWORD state = 0;  // SHIFT_PRESSED, LEFT_CTRL_PRESSED, LEFT_ALT_PRESSED, ENHANCED_KEY
};

// A character as a US keyboard types it; other characters as input methods
// send them (VK_PACKET).
KeyStroke strokeFor(wchar_t c);
// A key by its script name (Enter, F11, Ctrl+C, ...) or a single character.
KeyStroke namedKey(const std::string& name);
// Appends the events of one stroke: modifiers down, the key down and up,
// modifiers up.
void appendStroke(std::vector<INPUT_RECORD>& out, const KeyStroke& k);

}  // namespace driver
