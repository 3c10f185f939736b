#include "core/manual.h"

#include <filesystem>
#include <system_error>

#include "core/program.h"
#include "platform/process_facts.h"

namespace kveld {
namespace {

bool separator(char c) { return c == '/' || c == '\\'; }

bool isRoot(const std::string& f) {
  return f == "/" || f == "\\" || (f.size() == 2 && f[1] == ':') ||
         (f.size() == 3 && f[1] == ':' && separator(f[2]));
}

// The folder that holds `folder`; a root holds itself.
std::string parentOf(std::string f) {
  if (isRoot(f)) return f;
  while (f.size() > 1 && separator(f.back())) f.pop_back();
  const auto at = f.find_last_of("/\\");
  if (at == std::string::npos) return ".";
  if (at == 0) return f.substr(0, 1);
  if (at == 2 && f[1] == ':') return f.substr(0, 3);  // "C:\"
  return f.substr(0, at);
}

std::string join(const std::string& folder, const std::string& rest) {
  if (!folder.empty() && separator(folder.back())) return folder + rest;
  return folder + "/" + rest;
}

}  // namespace

std::vector<std::string> documentationFolders(const std::string& programFolder) {
  return {join(parentOf(programFolder), "share/doc/kveld"), join(programFolder, "doc")};
}

std::string fileAddress(const std::string& folder) {
  static const char hex[] = "0123456789ABCDEF";
  std::string address = "file://";
  if (folder.empty() || !separator(folder.front())) address += '/';  // "C:/..." needs the third slash
  for (char ch : folder) {
    const auto c = static_cast<unsigned char>(ch);
    if (ch == '\\') {
      address += '/';
    } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || ch == '-' ||
               ch == '.' || ch == '_' || ch == '~' || ch == '/' || ch == ':') {
      address += ch;
    } else {
      address += '%';
      address += hex[c >> 4];
      address += hex[c & 15];
    }
  }
  while (address.size() > 8 && address.back() == '/') address.pop_back();
  return address;
}

std::string manualAddress(const std::string& programFolder,
                          const std::function<bool(const std::string& path)>& exists) {
  const std::vector<std::string> folders = documentationFolders(programFolder);
  for (const std::string& folder : folders)
    if (exists(folder + kManualPath)) return fileAddress(folder) + kManualPath;
  return fileAddress(folders.front()) + kManualPath;
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  const std::u8string text(path.begin(), path.end());
  return std::filesystem::is_regular_file(std::filesystem::path(text), ec);
}

std::string onlineManualAddress() { return manualAddress(programFolder(), fileExists); }

bool openOnlineManual(Program& p) {
  bool opened = true;
  p.kit.runOutside([&] { opened = p.system.openAddress(onlineManualAddress()); });
  return opened;
}

}  // namespace kveld
