// Starting other programs on Windows, through the command interpreter named
// by "comspec", and waiting until the interpreter has ended.
#include <vector>

#include "platform/command_line.h"
#include "platform/real_system.h"
#include "platform/win32_text.h"

namespace kveld {

namespace {

std::wstring commandInterpreter() {
  const DWORD size = GetEnvironmentVariableW(L"comspec", nullptr, 0);
  if (size == 0) return {};
  std::vector<wchar_t> value(size);
  const DWORD length = GetEnvironmentVariableW(L"comspec", value.data(), size);
  return std::wstring(value.data(), length < size ? length : 0);
}

// Runs a command line (interpreter, " /c ", command, nothing quoted) as a new process with a normal window, no inherited
// handles, the program's environment and current folder, and waits without
// a time limit until it has ended. Its exit code is not looked at.
void runCommandAndWait(const std::wstring& commandLine) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &process))
    raiseLastError("starting", "the command interpreter");
  Win32Handle processHandle(process.hProcess);
  Win32Handle threadHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
}

}  // namespace

bool RealSystem::openAddress(const std::string& address) {
  runCommandAndWait(commandInterpreter() + wideText(" /c start " + address));
  return true;
}

void RealSystem::startProgram(const std::string& driveSpec, const std::string& folder,
                              const std::string& executable) {
  // The name goes unquoted into the command line; one holding the
  // interpreter's own syntax would have it run other commands.
  if (holdsInterpreterSyntax(executable))
    throw RunTimeError(err::kPathFileAccess, "starting " + executable + ": not a program file name");
  if (!driveSpec.empty()) {
    const std::string drive = driveSpec.substr(0, 1) + ":";
    if (!SetCurrentDirectoryW(wideText(drive).c_str())) raiseLastError("changing to", drive);
  }
  if (!SetCurrentDirectoryW(widePath(folder).c_str())) raiseLastError("changing to", folder);
  runCommandAndWait(commandInterpreter() + wideText(" /c " + executable));
}

}  // namespace kveld
