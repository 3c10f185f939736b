// A stand-in program for the console driver's own tests: it reads keys with
// the program's Win32 console device and shows each key read on a row of its
// own, as hexadecimal bytes ("61" for a, "00 85" for F11). "b" and "n" also
// start the two sounds. Esc ends it; the exit code is the number of keys read.
#include <cstdio>
#include <string>

#include "platform/console_device.h"

int main() {
  auto device = kveld::makeRealConsole();
  device->open("Key echo");
  kveld::ScreenModel screen;
  int keys = 0;
  for (;;) {
    device->present(screen);
    const std::string key = device->readKey();
    std::string shown;
    for (char c : key) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(c));
      shown += hex;
    }
    const int row = keys % kveld::ScreenModel::kRows + 1;
    for (int column = 1; column <= kveld::ScreenModel::kColumns; ++column) {
      const std::size_t i = static_cast<std::size_t>(column - 1);
      screen.at(column, row) =
          kveld::Cell{static_cast<std::uint8_t>(i < shown.size() ? shown[i] : ' '), 0x1E};
    }
    screen.cursorRow = row;
    screen.cursorColumn = static_cast<int>(shown.size()) + 1;
    ++keys;
    if (key == "b") device->playSound("beep2");
    if (key == "n") device->playSound("notify2");
    if (key == "\x1b") break;
  }
  device->present(screen);
  device->close();
  return keys;
}
