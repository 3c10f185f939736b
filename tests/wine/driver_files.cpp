#include "driver_files.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "driver_text.h"

namespace driver {

namespace {

namespace fs = std::filesystem;

// The two names of a step, which take no blanks.
std::pair<std::wstring, std::wstring> twoNames(const std::string& rest) {
  std::istringstream in(rest);
  std::string a, b, extra;
  if (!(in >> a >> b) || (in >> extra)) throw ScriptError("two names expected: " + rest);
  return {expandVariables(fromUtf8(a)), expandVariables(fromUtf8(b))};
}

std::wstring oneName(const std::string& rest) {
  std::istringstream in(rest);
  std::string a, extra;
  if (!(in >> a) || (in >> extra)) throw ScriptError("one name expected: " + rest);
  return expandVariables(fromUtf8(a));
}

std::string contentOf(const std::wstring& name, const std::string& shown) {
  std::ifstream f(fs::path(name), std::ios::binary);
  if (!f.is_open()) throw StepFailed("no file " + shown);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace

std::string firstDifference(const std::string& got, const std::string& want) {
  std::size_t at = 0, line = 1;
  while (at < got.size() && at < want.size() && got[at] == want[at]) {
    if (got[at] == '\n') ++line;
    ++at;
  }
  auto around = [at](const std::string& s) {
    const std::size_t from = at < 20 ? 0 : at - 20;
    return visible(fromUtf8(s.substr(from, 40)));
  };
  return "byte " + std::to_string(at) + " (line " + std::to_string(line) + "): \"" + around(got) +
         "\" where \"" + around(want) + "\" was expected; sizes " + std::to_string(got.size()) + " and " +
         std::to_string(want.size());
}

bool runFileStep(const std::string& command, const std::string& rest) {
  if (command == "setenv") {
    const auto space = rest.find(' ');
    if (space == std::string::npos) throw ScriptError("setenv NAME VALUE");
    const std::wstring name = fromUtf8(rest.substr(0, space));
    const std::wstring value = parseText(rest.substr(space + 1));
    if (!SetEnvironmentVariableW(name.c_str(), value.c_str())) throw StepFailed("cannot set " + rest);
  } else if (command == "copy-file") {
    const auto [from, to] = twoNames(rest);
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
      throw StepFailed("cannot copy " + rest + ", error " + std::to_string(GetLastError()));
    }
  } else if (command == "move") {
    const auto [from, to] = twoNames(rest);
    if (!MoveFileW(from.c_str(), to.c_str())) {
      throw StepFailed("cannot move " + rest + ", error " + std::to_string(GetLastError()));
    }
  } else if (command == "remove") {
    std::error_code ec;
    if (fs::remove_all(fs::path(oneName(rest)), ec) == 0 || ec) throw StepFailed("cannot remove " + rest);
  } else if (command == "expect-same-file") {
    const auto [name, want] = twoNames(rest);
    const std::string got = contentOf(name, toUtf8(name));
    const std::string wanted = contentOf(want, toUtf8(want));
    if (got != wanted)
      throw StepFailed("file " + toUtf8(name) + " differs at " + firstDifference(got, wanted));
  } else if (command == "expect-no-file") {
    if (GetFileAttributesW(oneName(rest).c_str()) != INVALID_FILE_ATTRIBUTES)
      throw StepFailed(rest + " exists");
  } else {
    return false;
  }
  return true;
}

}  // namespace driver
