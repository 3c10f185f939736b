#include "platform/terminal_render.h"

#include <algorithm>
#include <array>

#include "platform/cp437.h"

namespace kveld {
namespace {

// The console numbers red, green and blue as bits 4, 2, 1; ANSI as 1, 2, 4.
int ansiIndex(int consoleColour) {
  return ((consoleColour & 1) << 2) | (consoleColour & 2) | ((consoleColour & 4) >> 2);
}

const std::string& glyph(std::uint8_t ch) {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = cp437ToUtf8(std::string(1, static_cast<char>(b)));
    return t;
  }();
  return table[ch];
}

std::string cursorTo(int column, int row) {
  return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

}  // namespace

int sgrForeground(int consoleColour) { return ((consoleColour & 8) ? 90 : 30) + ansiIndex(consoleColour); }
int sgrBackground(int consoleColour) { return sgrForeground(consoleColour) + 10; }

void TerminalRenderer::invalidate() {
  shown_.reset();
  cursorShown_ = -1;
}

std::string TerminalRenderer::render(const ScreenModel& screen) {
  std::string out;
  const bool full = !shown_;
  if (full) {
    out += "\x1b[0m\x1b[2J";
    foreground_ = background_ = -1;
    column_ = row_ = 0;
  }
  for (int row = 1; row <= ScreenModel::kRows; ++row) {
    for (int column = 1; column <= ScreenModel::kColumns; ++column) {
      const Cell& cell = screen.at(column, row);
      if (!full && shown_->at(column, row) == cell) continue;
      if (column != column_ || row != row_) out += cursorTo(column, row);
      const int fg = cell.attr & 15;
      const int bg = cell.attr >> 4;
      std::string sgr;
      if (fg != foreground_) sgr += std::to_string(sgrForeground(fg));
      if (bg != background_) sgr += (sgr.empty() ? "" : ";") + std::to_string(sgrBackground(bg));
      if (!sgr.empty()) out += "\x1b[" + sgr + "m";
      foreground_ = fg;
      background_ = bg;
      out += glyph(cell.ch);
      // Past the last column the terminal's cursor waits to wrap (or, on a
      // wider terminal, goes on): not a place to rely on.
      column_ = column < ScreenModel::kColumns ? column + 1 : 0;
      row_ = row;
    }
  }
  const int want = screen.cursorVisible ? 1 : 0;
  if (want) {
    const int column = std::clamp(screen.cursorColumn, 1, ScreenModel::kColumns);
    const int row = std::clamp(screen.cursorRow, 1, ScreenModel::kRows);
    if (column != column_ || row != row_) out += cursorTo(column, row);
    column_ = column;
    row_ = row;
  }
  if (want != cursorShown_) out += want ? "\x1b[?25h" : "\x1b[?25l";
  cursorShown_ = want;
  shown_ = screen;
  return out;
}

std::string terminalTitleText(const std::string& title) {
  // Code page 437 shows even bytes below 32 as glyphs, so no byte of the
  // title can end the sequence early.
  return "\x1b[22;0t\x1b]0;" + cp437ToUtf8(title) + "\x07";
}

std::string terminalRestoreText() { return "\x1b[0m\x1b[23;0t" + cursorTo(1, ScreenModel::kRows) + "\x1b[K\x1b[?25h"; }

}  // namespace kveld
