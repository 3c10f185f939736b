#pragma once
// The 8.3 alias Windows gives a long name, so that a name such as DEALAR~1
// reaches a folder called "Deal Archive" on a file system that keeps no
// aliases. Names are code-page-437 text.
//
// How an alias is made: the name is upper-cased; leading dots and every
// blank are dropped; the text after the last remaining dot is the extension
// and every other dot goes; characters an 8.3 name cannot hold (+ , ; = [ ]
// and those Windows forbids) become "_". The alias is the first six
// characters of what is left, "~" and a number, and the first three
// characters of the extension after a dot: "Deal Archive" -> DEALAR~1,
// "Release notes.text" -> RELEAS~1.TEX. The first long name of a kind gets
// ~1, the next ~2 and so on, skipping aliases already taken by names that
// are 8.3 names themselves; "first" is the first made, as Windows numbers
// them when the names are made, with name order between names made at the
// same moment (or whose moment is not known). Past ~9 the six
// characters shrink to make room for the digits (ABCDE~10), as FAT does; NTFS
// switches to a hashed form after ~4 instead, whose hash is not published.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kveld {

// Whether the name is an 8.3 name itself (case aside), so it has no alias.
bool isShortName(std::string_view name);

// The name upper-cased: ASCII letters and the accented letters whose capitals
// code page 437 holds.
std::string upperName(std::string_view name);

// The parts an alias is made of: base (not yet cut to six) and extension.
struct AliasStem {
  std::string base;
  std::string ext;
};
AliasStem aliasStem(std::string_view name);
// The alias with the given number: "DEALAR" "" 1 -> "DEALAR~1".
std::string aliasName(const AliasStem& stem, int number);

// The short name of each name of one folder: the name itself upper-cased
// when it is an 8.3 name, else its alias. `madeAt` holds, for each name,
// when it was made (any unit, earlier is smaller); empty when not known.
std::vector<std::string> shortNames(const std::vector<std::string>& namesOfFolder,
                                    const std::vector<std::int64_t>& madeAt = {});

}  // namespace kveld
