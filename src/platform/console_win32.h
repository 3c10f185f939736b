#pragma once
// The Win32 console device, with the calls that size the console behind an
// interface of their own: a pseudo-console (the one Windows Terminal hosts
// console programs in) may refuse them, or accept them and undo them, and
// tests make them do so.
#include <windows.h>

#include <memory>

#include "platform/console_device.h"

namespace kveld {

class ConsoleSizeCalls {
 public:
  virtual ~ConsoleSizeCalls() = default;
  // As GetConsoleScreenBufferInfo, SetConsoleWindowInfo (absolute),
  // SetConsoleScreenBufferSize and GetLargestConsoleWindowSize.
  virtual BOOL getInfo(HANDLE out, CONSOLE_SCREEN_BUFFER_INFO* info) = 0;
  virtual BOOL setWindow(HANDLE out, const SMALL_RECT& window) = 0;
  virtual BOOL setBuffer(HANDLE out, COORD size) = 0;
  virtual COORD largestWindow(HANDLE out) = 0;
};

// The calls as the console itself answers them.
std::unique_ptr<ConsoleSizeCalls> consoleSizeCalls();

// The console device, sizing the console through `sizeCalls`.
std::unique_ptr<ConsoleDevice> makeWin32Console(std::unique_ptr<ConsoleSizeCalls> sizeCalls);

}  // namespace kveld
