#include "platform/command_win32.h"

#include <vector>

#include "platform/win32_text.h"

namespace kveld {

std::wstring commandInterpreter() {
  const DWORD size = GetEnvironmentVariableW(L"comspec", nullptr, 0);
  if (size == 0) return {};
  std::vector<wchar_t> value(size);
  const DWORD length = GetEnvironmentVariableW(L"comspec", value.data(), size);
  return std::wstring(value.data(), length < size ? length : 0);
}

void runCommandAndWait(const std::wstring& commandLine, const std::string& what) {
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &process))
    raiseLastError("starting", what);
  Win32Handle processHandle(process.hProcess);
  Win32Handle threadHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
}

}  // namespace kveld
