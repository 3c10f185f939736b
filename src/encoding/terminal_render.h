#pragma once
// Showing the screen model on an ANSI (xterm-compatible) terminal:
// code-page-437 glyphs as UTF-8 (or as ASCII stand-ins where the terminal's
// locale is not UTF-8), console colours as SGR codes, the cursor placed by
// CUP and shown or hidden by DECTCEM. No alternate screen is used,
// so the last screen stays on the terminal after the end.
#include <optional>
#include <string>
#include <string_view>

#include "encoding/screen_model.h"

namespace kveld {

// SGR code of a console colour (blue 1, green 2, red 4, bright 8) as a
// foreground (30-37, 90-97) or a background (40-47, 100-107); never bold.
int sgrForeground(int consoleColour);
int sgrBackground(int consoleColour);

// What a terminal is sent for the glyphs: UTF-8, or printable ASCII only,
// with stand-ins for the rest ("+", "=" and "|" for the frame, S H D C for
// the suits, letters without their accents, "?" for anything else).
enum class TerminalCharset { utf8, ascii };

// The charset for a terminal by its locale: `localeName` is the first of
// LC_ALL, LC_CTYPE and LANG that is set (empty when none is: UTF-8, as the
// terminals of today speak), `codeset` the locale's character set as the C
// library names it (empty when it cannot say, for a locale not installed:
// then the part of the name after its dot decides).
TerminalCharset terminalCharset(std::string_view localeName, std::string_view codeset);

class TerminalRenderer {
 public:
  explicit TerminalRenderer(TerminalCharset charset = TerminalCharset::utf8);

  // The output that makes the terminal show `screen`, given what the output
  // of the previous call left there: only the cells that changed, and a
  // colour change or cursor move only where it changes something. The
  // cursor is hidden before any cell is written and shown, where the screen
  // wants it, only at the end, so that it does not wander over the screen
  // while a slow link delivers the update.
  std::string render(const ScreenModel& screen);
  // Forgets what the terminal shows (at the start, after a resize): the next
  // render clears the terminal and draws every cell.
  void invalidate();

 private:
  const std::string* glyphs_;  // the text of each code-page-437 byte
  std::optional<ScreenModel> shown_;
  int foreground_ = -1;  // colours the terminal writes in; -1: not known
  int background_ = -1;
  int column_ = 0;  // where the terminal's cursor is; 0: not known
  int row_ = 0;
  int cursorShown_ = -1;  // -1: not known
};

// Sets the window title (OSC 0), keeping the terminal's own title on its
// title stack. The title is code-page-437 text.
std::string terminalTitleText(const std::string& title, TerminalCharset charset);
// Gives the terminal back its own colours, title and a visible cursor, at
// column 1 of row 25 (which it clears), so that what follows the program
// starts below the frame of its last screen.
std::string terminalRestoreText();

}  // namespace kveld
