#pragma once
// PBN files read: every game with a Deal tag is a board, with the dealer
// and vulnerability its tags give (from its number where it gives none).
// Games are read as import format allows them; a new set starts where the
// event changes or the board numbers start again.
#include <string_view>

#include "formats/formats.h"

namespace kveld::formats {

// Whether the bytes are PBN: after comments and escape lines, a tag pair
// first, and a Deal tag somewhere.
bool isPbn(std::string_view bytes);

Read readPbn(std::string_view bytes);

}  // namespace kveld::formats
