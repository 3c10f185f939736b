#pragma once
// The seam between the console kit and a real or scripted console.
// The kit keeps the screen model; a device only shows it, reads keys,
// plays sounds and pauses.
#include <memory>
#include <string>
#include <string_view>

#include "encoding/screen_model.h"

namespace kveld {

// The program's sounds, built into it from resources/beep2.wav and
// notify2.wav.
enum class Sound { beep2, notify2 };

// The sound's name: its file name without ".wav", and, upper-cased, its
// resource name in the Windows program.
constexpr std::string_view soundName(Sound sound) { return sound == Sound::beep2 ? "beep2" : "notify2"; }

// Raised by open() when the user ends the program before the console could
// be prepared: at the note that asks for a larger terminal or window. The
// console is already back as it was; the program ends with exit code 0.
struct EndedBeforeStart {};

class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;

  // Prepares the console: code page 437, 80 x 25, the window title, raw keys.
  // Failure raises RunTimeError; a user who ends the program while the
  // console is too small raises EndedBeforeStart.
  virtual void open(const std::string& title) = 0;
  // Puts the console back as it was found. Safe to call more than once.
  virtual void close() = 0;

  // Shows the model (only what changed since the last call need be written).
  virtual void present(const ScreenModel& screen) = 0;

  // Waits without time limit for one key press: one character for an
  // ordinary key, or the character 0 followed by the scan code for a key
  // without a character.
  virtual std::string readKey() = 0;
  // Discards key presses made before this moment.
  virtual void flushKeys() = 0;

  // Starts the sound and returns at once; a new sound cuts the old.
  virtual void playSound(Sound sound) = 0;
  // Pauses for the given number of milliseconds.
  virtual void pause(int milliseconds) = 0;

  // Lends the console to another program about to be started in it, in the
  // state it was found in by open() (as a shell hands its terminal to a
  // program it starts), and takes it back once that program has ended: the
  // next present() shows the whole screen again. A console that is not open
  // is neither lent nor taken back.
  virtual void handOver() {}
  virtual void takeBack() {}
};

// The console of the platform built: the Win32 console or a POSIX terminal.
std::unique_ptr<ConsoleDevice> makeRealConsole();

}  // namespace kveld
