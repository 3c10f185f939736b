#pragma once
// Turning the bytes a terminal sends into the keys the program reads: one
// character for an ordinary key, or the character 0 and the PC scan code for
// a key without a character, as on the Windows console.
#include <cstddef>
#include <string>
#include <string_view>

namespace kveld {

struct DecodedKey {
  std::string key;         // as ConsoleDevice::readKey returns it
  std::size_t length = 0;  // bytes of the input it took; 0: more input needed
};

// Decodes the first key at the front of `input` (which must not be empty).
// An escape sequence or UTF-8 character that is not yet complete asks for more
// input, unless `final` says that no more came within the short wait: then a
// lone Esc is the Esc key and an unfinished sequence one unknown key. Esc
// followed by a printable character (Alt and that character) is one unknown
// key. Keys the
// program does not know are returned as "\0\0" so that none of their bytes
// spill out as characters.
DecodedKey decodeKey(std::string_view input, bool final);

}  // namespace kveld
