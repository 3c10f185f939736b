// Stands in for the command interpreter when a test points "comspec" at it:
// it appends the command line it was started with and its current folder to
// the file named by KVELD_COMSPEC_LOG (two lines per start), then hands the
// same arguments to the real command interpreter in the same console, waits
// for it and ends with its exit code. So a test sees exactly which command
// lines a program built, and the commands still run.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// The command line behind the program's own name, with the blank before it,
// as the system splits off the name: up to the closing quote of a quoted
// name, else up to the first blank or tab.
std::wstring argumentsOf(const std::wstring& commandLine) {
  std::size_t at = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    at = commandLine.find(L'"', 1);
    at = at == std::wstring::npos ? commandLine.size() : at + 1;
  } else {
    at = commandLine.find_first_of(L" \t");
    if (at == std::wstring::npos) at = commandLine.size();
  }
  return commandLine.substr(at);
}

void record(const std::wstring& commandLine) {
  std::vector<wchar_t> logName(MAX_PATH * 4);
  const DWORD n =
      GetEnvironmentVariableW(L"KVELD_COMSPEC_LOG", logName.data(), static_cast<DWORD>(logName.size()));
  if (n == 0 || n >= logName.size()) return;
  std::vector<wchar_t> folder(MAX_PATH * 4);
  const DWORD f = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
  const std::string lines =
      utf8(commandLine) + "\n" + utf8(std::wstring(folder.data(), f < folder.size() ? f : 0)) + "\n";
  HANDLE log = CreateFileW(logName.data(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(log, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
  CloseHandle(log);
}

}  // namespace

int main() {
  const std::wstring commandLine = GetCommandLineW();
  record(commandLine);

  std::vector<wchar_t> system(MAX_PATH);
  const UINT n = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
  const std::wstring interpreter = std::wstring(system.data(), n) + L"\\cmd.exe";
  std::wstring line = L"\"" + interpreter + L"\"" + argumentsOf(commandLine);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(interpreter.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::fprintf(stderr, "comspec recorder: cannot start the command interpreter, error %lu\n",
                 GetLastError());
    return 1;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return static_cast<int>(code);
}
