#include "rules/settings_text.h"

namespace kveld {

namespace {

constexpr char kCr = 13;
constexpr char kLf = 10;
constexpr char kCtrlZ = 26;
constexpr std::string_view kDirectoryKey = "DeepFinesseDirectory=";
constexpr std::string_view kExecutableKey = "ExecutableFile=";
// Reads the file's readable content line by line: a line ends at CR, an LF
// right after the CR goes with it, an LF alone is an ordinary character.
class LineReader {
 public:
  explicit LineReader(std::string_view content) : rest_(content) {}
  bool atEnd() const { return rest_.empty(); }
  std::string_view next() {
    const std::size_t cr = rest_.find(kCr);
    if (cr == std::string_view::npos) {
      std::string_view line = rest_;
      rest_ = {};
      return line;
    }
    std::string_view line = rest_.substr(0, cr);
    rest_.remove_prefix(cr + 1);
    if (!rest_.empty() && rest_.front() == kLf) rest_.remove_prefix(1);
    return line;
  }

 private:
  std::string_view rest_;
};

// The text after the first occurrence of `key` in `line`; empty without it.
std::string valueAfter(std::string_view line, std::string_view key) {
  const std::size_t at = line.find(key);
  if (at == std::string_view::npos) return {};
  return std::string(line.substr(at + key.size()));
}

}  // namespace

std::size_t usableLength(std::string_view bytes) {
  int lineEnds = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == kCtrlZ) return i;
    if (bytes[i] == kCr && ++lineEnds == 2) return i + 1;
  }
  return std::string_view::npos;
}

SettingsText parseSettingsText(std::string_view bytes) {
  SettingsText result;
  if (bytes.size() < 2) return result;
  LineReader lines(bytes.substr(0, bytes.find(kCtrlZ)));

  if (lines.atEnd()) return result;
  const std::string_view first = lines.next();
  result.settings.dfDirectory = valueAfter(first, kDirectoryKey);
  if (first.empty() || result.settings.dfDirectory.empty()) return result;

  if (lines.atEnd()) return result;
  const std::string_view second = lines.next();
  result.settings.dfExecutable = valueAfter(second, kExecutableKey);
  if (second.empty() || result.settings.dfExecutable.empty()) return result;

  result.valid = true;
  return result;
}

std::string settingsFileText(const Settings& s) {
  return std::string(kDirectoryKey) + s.dfDirectory + "\r\n" + std::string(kExecutableKey) + s.dfExecutable +
         "\r\n";
}

}  // namespace kveld
