#pragma once
// Shared by the Win32 files and process code: the program's single-byte
// text as the wide text the system takes, and raising the last error.
#include <windows.h>

#include <string>

#include "platform/cp437.h"
#include "platform/error_numbers.h"
#include "platform/run_time_error.h"

namespace kveld {

inline std::wstring wideText(const std::string& text) {
  const std::u16string utf16 = cp437ToUtf16(text);
  return std::wstring(utf16.begin(), utf16.end());
}

// Wide text from the system as the program's single-byte text.
inline std::string narrowText(const wchar_t* text) {
  const std::wstring w(text);
  return utf16ToCp437(std::u16string(w.begin(), w.end()));
}

[[noreturn]] inline void raiseWin32(DWORD code, const std::string& doing, const std::string& path) {
  throw RunTimeError(errorNumberFromWin32(code), doing + " " + path + ": system error " + std::to_string(code));
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
