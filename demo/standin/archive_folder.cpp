#include "archive_folder.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace standin {
namespace fs = std::filesystem;
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::optional<fs::path> findArchiveFolder(const fs::path& installation) {
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(installation, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = lower(utf8(it->path().filename()));
    if ((name == "deal archive" || name == "dealar~1") && it->is_directory(ec)) found.push_back(it->path());
  }
  if (found.empty()) return std::nullopt;
  return *std::min_element(found.begin(), found.end());
}

std::optional<fs::path> newestArchiveFile(const fs::path& folder) {
  std::optional<fs::path> best;
  fs::file_time_type bestTime{};
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec) || lower(utf8(it->path().extension())) != ".txt") continue;
    const fs::file_time_type time = it->last_write_time(ec);
    if (ec) continue;
    if (!best || time > bestTime || (time == bestTime && it->path().filename() > best->filename())) {
      best = it->path();
      bestTime = time;
    }
  }
  return best;
}

std::string startLine(const std::string& folder, const std::vector<std::string>& arguments) {
  std::string line = "started\tfolder=" + folder + "\targuments=" + std::to_string(arguments.size());
  for (const std::string& a : arguments) line += "\t" + a;
  return line + "\n";
}

bool appendLine(const fs::path& file, const std::string& line) {
  std::ofstream out(file, std::ios::binary | std::ios::app);
  out << line;
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace standin
