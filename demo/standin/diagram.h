#pragma once
// The screens of the stand-in: boards as four-hand diagrams, two side by
// side, in plain text that fits 80 columns and 24 rows.
#include <cstddef>
#include <string>
#include <vector>

#include "archive_reader.h"

namespace standin {

constexpr std::size_t kBoardsPerPage = 2;

// The number of pages the boards of an archive fill (at least 1).
std::size_t pageCount(const Archive& archive);

// The lines of one page (0-based): a heading naming the file, the boards
// of the page and the keys, or the problems after the last boards.
std::vector<std::string> renderPage(const Archive& archive, const std::string& fileName, std::size_t page);

// The lines shown when there is nothing to show (no folder, no file): the
// message and the folder it is about, on a line of its own.
std::vector<std::string> renderMessage(const std::string& message, const std::string& folder);

}  // namespace standin
