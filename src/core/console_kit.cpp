#include "core/console_kit.h"

#include <algorithm>

#include "encoding/ascii.h"

namespace kveld {

std::string upperKey(const std::string& key) { return key.size() == 1 ? upperAscii(key) : key; }

std::string numberText(int value) {
  return (value < 0 ? "-" : " ") + std::to_string(value < 0 ? -static_cast<long>(value) : value) + " ";
}

ConsoleKit::ConsoleKit(ConsoleDevice& device, const ProgramTables& tables)
    : device_(device), tables_(tables) {}

std::uint8_t ConsoleKit::attribute() const {
  return static_cast<std::uint8_t>(foreground_ + 16 * background_);
}

void ConsoleKit::setColour(int foreground, int background) {
  foreground_ = foreground & 15;
  if (background >= 0) background_ = background & 15;
}

void ConsoleKit::moveTo(int column, int row) {
  if (column > 0) screen_.cursorColumn = std::min(column, ScreenModel::kColumns);
  if (row > 0) screen_.cursorRow = std::min(row, ScreenModel::kRows);
}

void ConsoleKit::scrollUp() {
  auto& c = screen_.cells;
  std::copy(c.begin() + ScreenModel::kColumns, c.end(), c.begin());
  std::fill(c.end() - ScreenModel::kColumns, c.end(), Cell{' ', attribute()});
}

void ConsoleKit::lineEnd() {
  screen_.cursorColumn = 1;
  if (screen_.cursorRow == ScreenModel::kRows) {
    scrollUp();
  } else {
    ++screen_.cursorRow;
  }
}

// Text that runs past column 80 goes on at column 1 of the next row, as on
// the console.
void ConsoleKit::putChar(unsigned char ch) {
  if (screen_.cursorColumn > ScreenModel::kColumns) lineEnd();
  screen_.at(screen_.cursorColumn, screen_.cursorRow) = Cell{ch, attribute()};
  ++screen_.cursorColumn;
}

void ConsoleKit::print(std::string_view text) {
  for (char ch : text) putChar(static_cast<unsigned char>(ch));
}

void ConsoleKit::printAt(int column, int row, std::string_view text) {
  moveTo(column, row);
  print(text);
}

void ConsoleKit::printLineAt(int column, int row, std::string_view text) {
  moveTo(column, row);
  printLine(text);
}

void ConsoleKit::printLine(std::string_view text) {
  print(text);
  lineEnd();
}

void ConsoleKit::printNumber(int value) { print(numberText(value)); }

void ConsoleKit::clearScreen() {
  std::fill(screen_.cells.begin(), screen_.cells.end(), Cell{' ', attribute()});
  screen_.cursorColumn = 1;
  screen_.cursorRow = 1;
}

void ConsoleKit::clearWorkArea() {
  setColour(yellow, blue);
  eraseWorkArea();
}

void ConsoleKit::eraseWorkArea() {
  for (int row = kBodyTop; row <= kBodyBottom; ++row) printAt(kBodyColumn, row, tables_.blank74);
}

void ConsoleKit::clearMessageRow() {
  setColour(yellow, blue);
  printAt(kBodyColumn, tables_.messageRow, tables_.blank74);
}

void ConsoleKit::showCursor() { screen_.cursorVisible = true; }
void ConsoleKit::hideCursor() { screen_.cursorVisible = false; }

void ConsoleKit::present() { device_.present(screen_); }

void ConsoleKit::runOutside(const std::function<void()>& start) {
  present();
  device_.handOver();
  try {
    start();
  } catch (...) {
    device_.takeBack();
    throw;
  }
  device_.takeBack();
  present();
}

void ConsoleKit::flushKeys() {
  present();
  device_.flushKeys();
}

std::string ConsoleKit::waitKey() {
  present();
  return device_.readKey();
}

std::string ConsoleKit::waitKeyUpper() { return upperKey(waitKey()); }

Answer ConsoleKit::askYesNo(Answer enterMeans) {
  for (;;) {
    const std::string key = waitKeyUpper();
    if (key == "Y") return Answer::yes;
    if (key == "N") return Answer::no;
    if (key == tables_.enterKey) return enterMeans;
    if (key == tables_.escKey) return Answer::escape;
    playSound(Sound::beep2);
  }
}

void ConsoleKit::waitAnyKey(bool flushFirst) {
  if (flushFirst) flushKeys();
  waitKey();
}

void ConsoleKit::playSound(Sound sound) { device_.playSound(sound); }

void ConsoleKit::pause(int milliseconds) {
  present();
  device_.pause(milliseconds);
}

void ConsoleKit::drawTitleScreen() {
  const ProgramTables& t = tables_;
  hideCursor();
  setColour(darkGray, blue);
  clearScreen();
  std::string h74;
  for (int i = 0; i < 74; ++i) h74 += t.dblH;
  const std::string body = t.blank2 + t.dblV + t.blank74 + t.dblV;
  printLine(t.blank2 + t.dblTopLeft + h74 + t.dblTopRight);
  printLine(body);
  printLine(t.blank2 + t.dblTeeRight + h74 + t.dblTeeLeft);
  for (int row = 4; row <= 23; ++row) printLine(body);
  print(t.blank2 + t.dblBottomLeft + h74 + t.dblBottomRight);

  const std::string suits =
      t.suitSymbol[0] + t.blank1 + t.suitSymbol[1] + t.blank1 + t.suitSymbol[2] + t.blank1 + t.suitSymbol[3];
  setColour(lightRed);
  moveTo(7, 2);
  print(suits);
  setColour(brown);
  moveTo(20, 2);
  print("Pemwick's");
  setColour(lightGreen);
  print("  KVELD CONVERTER");
  setColour(lightRed);
  moveTo(65, 2);
  print(suits);
  printLine("");
}

}  // namespace kveld
