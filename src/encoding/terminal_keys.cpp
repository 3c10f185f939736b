#include "encoding/terminal_keys.h"

#include "encoding/cp437.h"
#include "encoding/keys.h"

namespace kveld {
namespace {

constexpr char kEsc = knownKey("Esc").character;
constexpr std::size_t kLongestSequence = 32;

// Scan codes of the keys named by the last letter of a CSI or SS3 sequence
// (cursor keys, Home, End, F1 to F4; lower case: rxvt's shifted arrows).
int letterScan(char c) {
  switch (c) {
    case 'A':
    case 'a': return knownKey("Up").pcCode;
    case 'B':
    case 'b': return knownKey("Down").pcCode;
    case 'C':
    case 'c': return knownKey("Right").pcCode;
    case 'D':
    case 'd': return knownKey("Left").pcCode;
    case 'H': return knownKey("Home").pcCode;
    case 'F': return knownKey("End").pcCode;
    case 'P': return knownKey("F1").pcCode;
    case 'Q': return knownKey("F2").pcCode;
    case 'R': return knownKey("F3").pcCode;
    case 'S': return knownKey("F4").pcCode;
    case 'Z': return knownKey("Tab").pcCode;  // Shift+Tab
    default: return 0;
  }
}

// Scan codes of the "ESC [ n ~" keys.
int numberScan(int n) {
  switch (n) {
    case 1:
    case 7: return knownKey("Home").pcCode;
    case 2: return knownKey("Ins").pcCode;
    case 3: return knownKey("Del").pcCode;
    case 4:
    case 8: return knownKey("End").pcCode;
    case 5: return knownKey("PgUp").pcCode;
    case 6: return knownKey("PgDn").pcCode;
    case 23: return knownKey("F11").pcCode;
    case 24: return knownKey("F12").pcCode;
    default:
      if (n >= 11 && n <= 15) return knownKey("F1").pcCode + n - 11;  // F1 .. F5
      if (n >= 17 && n <= 21) return knownKey("F6").pcCode + n - 17;  // F6 .. F10
      return 0;
  }
}

DecodedKey keyOf(int pcCode, std::size_t length) { return {codeText(pcCode), length}; }

// ESC [ or ESC O, then parameter bytes ("1;5"), then one final byte. The
// first parameter names the key for the "~" forms; further parameters
// (modifiers such as Ctrl) are ignored.
DecodedKey decodeSequence(std::string_view in, bool final) {
  const bool ss3 = in[1] == 'O';
  if (!ss3 && in.size() >= 3 && in[2] == '[') {  // Linux console: ESC [ [ A .. E
    if (in.size() < 4) return final ? keyOf(0, 3) : DecodedKey{};
    const bool fKey = in[3] >= 'A' && in[3] <= 'E';
    return keyOf(fKey ? knownKey("F1").pcCode + in[3] - 'A' : 0, 4);
  }
  int first = -1;  // the first parameter; -1: none
  bool firstDone = false;
  bool marked = false;  // private markers or intermediates: not a key we know
  for (std::size_t i = 2; i < in.size() && i < kLongestSequence; ++i) {
    const char c = in[i];
    if (c >= '0' && c <= '9') {
      if (!firstDone && first < 10000) first = (first < 0 ? 0 : first * 10) + (c - '0');
    } else if (c == ';') {
      firstDone = true;
    } else if (c >= 0x20 && c <= 0x3f) {
      marked = true;
    } else if (c >= 0x40 && c <= 0x7e) {
      int code = 0;
      if (!marked && (c == '~' || c == '^')) {
        code = numberScan(first);
      } else if (!marked && (ss3 || first <= 1)) {  // ESC [ A, ESC [ 1 ; 5 A, ESC O 5 P
        code = letterScan(c);
      }
      return keyOf(code, i + 1);
    } else {
      return keyOf(0, i);  // broken off by a control byte: swallow the start
    }
  }
  if (in.size() >= kLongestSequence) return keyOf(0, kLongestSequence);
  return final ? keyOf(0, in.size()) : DecodedKey{};
}

// A character typed as UTF-8 becomes its code-page-437 byte when it has one.
DecodedKey decodeUtf8(std::string_view in, bool final) {
  const auto lead = static_cast<unsigned char>(in[0]);
  const std::size_t need = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (need == 0 || lead > 0xF4) return keyOf(0, 1);
  char32_t code = lead & (0x7F >> need);
  for (std::size_t i = 1; i < need; ++i) {
    if (i >= in.size()) return final ? keyOf(0, i) : DecodedKey{};
    const auto c = static_cast<unsigned char>(in[i]);
    if ((c & 0xC0) != 0x80) return keyOf(0, i);
    code = (code << 6) | (c & 0x3F);
  }
  const std::uint8_t byte = code >= 0x80 ? unicodeToCp437(code) : 0;
  if (byte < 0x80) return keyOf(0, need);
  return {std::string(1, static_cast<char>(byte)), need};
}

}  // namespace

DecodedKey decodeKey(std::string_view in, bool final) {
  const auto c = static_cast<unsigned char>(in[0]);
  if (c == kEsc) {
    if (in.size() == 1) return final ? DecodedKey{keyText(knownKey("Esc")), 1} : DecodedKey{};
    if (in[1] == '[' || in[1] == 'O') return decodeSequence(in, final);
    // Alt and a character: terminals send Esc and then the character. One
    // key without a character of its own, so that neither Esc nor the
    // character answers a question.
    if (in[1] >= 0x20 && in[1] < 0x7F) return keyOf(0, 2);
    return {keyText(knownKey("Esc")), 1};  // Esc, then a key of its own (a control key, another Esc)
  }
  if (c >= 0x80) return decodeUtf8(in, final);
  if (c == 127 || c == 8) return {keyText(knownKey("Backspace")), 1};  // whichever the terminal sends
  if (c == 0) return keyOf(3, 1);  // Ctrl+2 / Ctrl+Space, as the PC keyboard gives it
  return {std::string(1, static_cast<char>(c)), 1};
}

}  // namespace kveld
