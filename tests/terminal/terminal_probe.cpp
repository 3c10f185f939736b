// A small program for the terminal tests: the real console device of this
// platform, driven by keys. It shows a screen of many colours, logs each key
// it reads (its bytes in hex, one key a line, to the file named by its
// argument) and shows it on row 1, and obeys some keys:
//   p  pause 400 ms          f  pause 400 ms, then discard pending keys
//   P  pause 5 s
//   s  play beep2            q  close the console and end with 0
//   d  end without close()   x  throw an exception    t  std::terminate
//   F  replace the file archive/Jan-01-M.txt (in the current folder) with
//      32 MiB, through the real file operations
//   L  list drive C: into setup's scratch file, as setup does, and pause 5 s
//      before deleting it
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>

#include "platform/console_device.h"
#include "platform/process_facts.h"
#include "platform/real_system.h"

namespace {

void put(kveld::ScreenModel& s, int column, int row, const std::string& text) {
  for (char c : text) s.at(column++, row).ch = static_cast<std::uint8_t>(c);
}

std::string hex(const std::string& key) {
  std::string out;
  char buffer[4];
  for (char c : key) {
    std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(c));
    out += (out.empty() ? "" : " ") + std::string(buffer);
  }
  return out;
}

int run(const char* logPath) {
  auto console = kveld::makeRealConsole();
  console->open("Kveld probe");
  kveld::ScreenModel s;
  for (int row = 1; row <= kveld::ScreenModel::kRows; ++row) {
    for (int column = 1; column <= kveld::ScreenModel::kColumns; ++column) {
      s.at(column, row) = {static_cast<std::uint8_t>('A' + (column + row) % 26),
                           static_cast<std::uint8_t>((column * 7 + row * 3) % 256)};
    }
  }
  s.cursorColumn = 10;
  s.cursorRow = 12;
  put(s, 1, 1, "ready           ");
  std::ofstream log(logPath);
  for (;;) {
    console->present(s);
    const std::string key = console->readKey();
    log << hex(key) << std::endl;
    put(s, 1, 1, "key " + hex(key) + "            ");
    if (key == "p") console->pause(400);
    if (key == "P") console->pause(5000);
    if (key == "f") {
      console->pause(400);
      console->flushKeys();
    }
    if (key == "s") console->playSound(kveld::Sound::beep2);
    if (key == "q") {
      console->close();
      return 0;
    }
    if (key == "d") return 0;
    if (key == "x") throw std::runtime_error("probe");
    if (key == "t") std::terminate();
    if (key == "F") kveld::RealSystem().replaceFile("archive\\Jan-01-M.txt", std::string(32u << 20, 'w'));
    if (key == "L") {
      kveld::RealSystem system;
      const std::string scratch = "df_find" + std::to_string(kveld::processNumber());
      system.listDrive("C:", "DEALAR~1", scratch);
      console->pause(5000);
      system.deleteFile(scratch);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  try {
    return run(argv[1]);
  } catch (const std::exception&) {
    return 3;  // the console was closed by its destructor on the way here
  }
}
