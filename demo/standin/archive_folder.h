#pragma once
// Where the stand-in finds its deal archive files, and the record it keeps of
// being started.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace standin {

// The folder inside `installation` named "Deal Archive" or "DEALAR~1",
// compared without regard to case.
std::optional<std::filesystem::path> findArchiveFolder(const std::filesystem::path& installation);

// The most recently written file of `folder` whose name ends in ".txt"
// (any case); of files written at the same moment, the last by name.
std::optional<std::filesystem::path> newestArchiveFile(const std::filesystem::path& folder);

// The line appended to the start log: "started", the current folder and the
// arguments, separated by tabs, ended by a line feed:
//   started<TAB>folder=<folder><TAB>arguments=<count>[<TAB><argument>]...
std::string startLine(const std::string& folder, const std::vector<std::string>& arguments);

// Appends `line` to the file; false when the file cannot be written.
bool appendLine(const std::filesystem::path& file, const std::string& line);

// A path as UTF-8 text.
std::string utf8(const std::filesystem::path& path);

}  // namespace standin
