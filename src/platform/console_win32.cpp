// Win32 console (first cut).
#include <windows.h>

#include <string>

#include "platform/console_device.h"

namespace kveld {
namespace {

class Win32Console : public ConsoleDevice {
 public:
  void open(const std::string&) override {}
  void close() override {}
  void present(const ScreenModel&) override {}
  std::string readKey() override { return "\x1b"; }
  void flushKeys() override {}
  void playSound(const std::string&) override {}
  void pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
};

}  // namespace

std::unique_ptr<ConsoleDevice> makeRealConsole() { return std::make_unique<Win32Console>(); }

}  // namespace kveld
