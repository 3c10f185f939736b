#pragma once
// Shared by the Win32 files and process code: the program's single-byte
// text as the wide text the system takes, and raising the last error.
#include <windows.h>

#include <string>

#include "encoding/cp437.h"
#include "platform/error_numbers.h"
#include "platform/run_time_error.h"

namespace kveld {

inline std::wstring wideText(const std::string& text) {
  const std::u16string utf16 = cp437ToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

// UTF-8 text (a path the user typed) as the wide text the system takes, and back.
inline std::wstring utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}
inline std::string wideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr,
                      nullptr);
  return text;
}

// The system's own sentence for an error code, without its line end.
inline std::string systemReason(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring reason = n > 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
  if (buffer != nullptr) LocalFree(buffer);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ' || reason.back() == L'.'))
    reason.pop_back();
  return reason.empty() ? "the system refused it" : wideToUtf8(reason);
}

// Wide text from the system as the program's single-byte text.
inline std::string narrowText(const wchar_t* text) {
  const std::wstring w(text);
  return utf16ToCp437(std::u16string(w.begin(), w.end()));
}

[[noreturn]] inline void raiseWin32(DWORD code, const std::string& doing, const std::string& path) {
  throw RunTimeError(errorNumberFromWin32(code), doing + " " + path + ": " + systemReason(code));
}

[[noreturn]] inline void raiseLastError(const std::string& doing, const std::string& path) {
  raiseWin32(GetLastError(), doing, path);
}

// A path as the wide text the file functions take. A control character is
// no part of a valid name: it is refused as the invalid name it is (123),
// not turned into the glyph the screen shows for it, which would name
// another file, nor passed on, where a NUL would cut the path short.
inline std::wstring widePath(const std::string& path) {
  for (char c : path)
    if (static_cast<unsigned char>(c) < 32) raiseWin32(ERROR_INVALID_NAME, "naming", path);
  return wideText(path);
}

class Win32Handle {
 public:
  explicit Win32Handle(HANDLE h) : h_(h) {}
  ~Win32Handle() {
    if (valid()) CloseHandle(h_);
  }
  Win32Handle(const Win32Handle&) = delete;
  Win32Handle& operator=(const Win32Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  // Closes now, so that a failure of the close itself is seen.
  bool close() {
    const BOOL ok = CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

}  // namespace kveld
