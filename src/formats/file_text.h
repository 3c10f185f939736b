#pragma once
// The text of a deal file as the program keeps it, in UTF-8: files written
// in ISO 8859-1 (or its Windows superset) are converted, UTF-8 is kept.
#include <string>
#include <string_view>

namespace kveld::formats {

// Whether the bytes are valid UTF-8 (plain ASCII is).
bool isUtf8(std::string_view bytes);

// Bytes of ISO 8859-1 as UTF-8; 0x80 to 0x9F, control codes there, are
// taken as Windows writes them (0x92 a right quote, 0x80 the euro sign).
std::string latin1ToUtf8(std::string_view bytes);

}  // namespace kveld::formats
