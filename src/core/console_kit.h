#pragma once
// The console screen kit: every screen of the program writes through it.
// It keeps the 80 x 25 screen model and shows it on a console device, which
// is written once before each wait (for a key, a pause or another program).
#include <functional>
#include <string>
#include <string_view>

#include "core/program_tables.h"
#include "encoding/screen_model.h"
#include "platform/console_device.h"

namespace kveld {

// The body of the screen inside the frame: from this column, rows
// kBodyTop..kBodyBottom, 74 cells wide.
inline constexpr int kBodyColumn = 4;
inline constexpr int kBodyTop = 4;
inline constexpr int kBodyBottom = 23;

// Answers of a yes/no question; Esc is told apart because each question
// gives it its own meaning.
enum class Answer { yes, no, escape };

class ConsoleKit {
 public:
  ConsoleKit(ConsoleDevice& device, const ProgramTables& tables);

  // Output.
  void setColour(int foreground, int background = -1);  // -1 keeps the background
  void moveTo(int column, int row);                     // 0 keeps that coordinate
  void print(std::string_view text);
  void printLine(std::string_view text);
  // moveTo, then print or printLine.
  void printAt(int column, int row, std::string_view text);
  void printLineAt(int column, int row, std::string_view text);
  void printNumber(int value);  // one blank (or "-"), the digits, one blank
  void clearScreen();
  void clearWorkArea();  // in yellow on blue
  void eraseWorkArea();  // in the current colours
  void clearMessageRow();
  void showCursor();
  void hideCursor();
  int cursorColumn() const { return screen_.cursorColumn; }
  int cursorRow() const { return screen_.cursorRow; }

  // Input.
  void flushKeys();
  std::string waitKey();
  // waitKey, then letters upper-cased.
  std::string waitKeyUpper();
  // Waits for Y, N, Enter (the answer `enterMeans`) or Esc; any other key
  // plays Sound::beep2 and the wait goes on at the same place, nothing redrawn.
  Answer askYesNo(Answer enterMeans);
  // Waits for one key and ignores which, optionally discarding earlier keys.
  void waitAnyKey(bool flushFirst);

  // Sound and time.
  void playSound(Sound sound);
  void pause(int milliseconds);

  void drawTitleScreen();

  // Writes the model to the device; called before every wait.
  void present();
  // Runs `start`, which starts another program and waits for it, with the
  // console lent to that program: the screen is shown before, and shown
  // again whole afterwards.
  void runOutside(const std::function<void()>& start);

  const ScreenModel& screen() const { return screen_; }
  int foreground() const { return foreground_; }
  int background() const { return background_; }
  ConsoleDevice& device() { return device_; }

 private:
  void putChar(unsigned char ch);
  void lineEnd();
  void scrollUp();
  std::uint8_t attribute() const;

  ConsoleDevice& device_;
  const ProgramTables& tables_;
  ScreenModel screen_;
  int foreground_ = lightGray;
  int background_ = black;
};

// Upper-cases a one-character key text holding a letter.
std::string upperKey(const std::string& key);
// The number format of the screens: " 9 ", " 36 ", "-5 ".
std::string numberText(int value);

}  // namespace kveld
