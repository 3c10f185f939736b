#pragma once
// File names between the program's text (code page 437, as on the Windows
// console and in its files) and the names of a POSIX file system (UTF-8).
#include <string>
#include <string_view>

namespace kveld {

// Whether the text is valid UTF-8 holding at least one multi-byte sequence.
bool isMultiByteUtf8(std::string_view text);

// A code-page-437 name as UTF-8. Bytes below 128 stay as they are (a file
// name has no console glyphs for control characters). A name that is valid
// UTF-8 with multi-byte sequences is taken as UTF-8 and kept as it is: a
// folder typed into a hand-edited settings file in UTF-8 (code page 437 text
// rarely is such UTF-8: it would need a Greek letter, a maths or box-drawing
// character right before accented letters).
std::string nativeName(std::string_view programText);

// A UTF-8 name as code-page-437 text. A character that code page 437 cannot
// hold, and every byte of an invalid UTF-8 sequence, becomes `substitute`.
std::string programName(std::string_view nativeText, char substitute);

// Whether two UTF-8 names are the same without regard to case (ASCII and
// Latin-1 letters fold; other characters compare as they are).
bool sameNameIgnoringCase(std::string_view a, std::string_view b);

// Whether a UTF-8 name matches a wildcard pattern ("*" any run of
// characters, "?" one character) without regard to case.
bool matchesWildcard(std::string_view pattern, std::string_view name);

// The order in which a folder's names are walked and numbered: bytes compared
// with ASCII letters upper-cased, ties broken by the bytes themselves.
bool nameOrderLess(std::string_view a, std::string_view b);

}  // namespace kveld
