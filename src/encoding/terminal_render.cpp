#include "encoding/terminal_render.h"

#include <algorithm>
#include <array>

#include "encoding/cp437.h"

namespace kveld {
namespace {

// The console numbers red, green and blue as bits 4, 2, 1; ANSI as 1, 2, 4.
int ansiIndex(int consoleColour) {
  return ((consoleColour & 1) << 2) | (consoleColour & 2) | ((consoleColour & 4) >> 2);
}

// A printable ASCII character that stands for a glyph.
char asciiStandIn(char32_t c) {
  // Latin-1 letters without their accents, from U+00C0 on.
  static constexpr std::string_view kLatin =
      "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYPsaaaaaaaceeeeiiiidnooooo/ouuuuypy";
  if (c >= 0x20 && c < 0x7F) return static_cast<char>(c);
  switch (c) {
    case 0x2660: return 'S';  // the suits
    case 0x2665: return 'H';
    case 0x2666: return 'D';
    case 0x2663: return 'C';
    case 0x2500: return '-';
    case 0x2550: return '=';
    case 0x2502:
    case 0x2551: return '|';
    case 0x00A0: return ' ';
    case 0x2022:
    case 0x2219:
    case 0x00B7: return '.';
    case 0x25BA:
    case 0x2192:
    case 0x00BB: return '>';
    case 0x25C4:
    case 0x2190:
    case 0x00AB: return '<';
    case 0x25B2:
    case 0x2191: return '^';
    case 0x25BC:
    case 0x2193: return 'v';
    case 0x00B0: return 'o';
    case 0x00A2: return 'c';
    case 0x00A3: return 'L';
    case 0x00A5: return 'Y';
    case 0x0192: return 'f';
    case 0x00A1: return '!';
    default: break;
  }
  if (c >= 0x2500 && c <= 0x257F) return '+';  // corners, joins and crossings of the box lines
  if (c >= 0x2580 && c <= 0x25A0) return '#';  // blocks and shades
  if (c >= 0xC0 && c <= 0xFF) return kLatin[c - 0xC0];
  return '?';
}

using GlyphTable = std::array<std::string, 256>;

const GlyphTable& glyphTable(TerminalCharset charset) {
  static const GlyphTable utf8 = [] {
    GlyphTable t;
    for (int b = 0; b < 256; ++b)
      t[static_cast<std::size_t>(b)] = cp437ToUtf8(std::string(1, static_cast<char>(b)));
    return t;
  }();
  static const GlyphTable ascii = [] {
    GlyphTable t;
    for (int b = 0; b < 256; ++b) {
      t[static_cast<std::size_t>(b)] =
          std::string(1, asciiStandIn(cp437ToUnicode(static_cast<std::uint8_t>(b))));
    }
    return t;
  }();
  return charset == TerminalCharset::ascii ? ascii : utf8;
}

// "UTF-8", "utf8", "UTF8" and the like.
bool namesUtf8(std::string_view name) {
  std::string plain;
  for (char c : name) {
    if (c == '-' || c == '_') continue;
    plain += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return plain == "utf8";
}

std::string cursorTo(int column, int row) {
  return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

}  // namespace

TerminalCharset terminalCharset(std::string_view localeName, std::string_view codeset) {
  if (localeName.empty()) return TerminalCharset::utf8;
  if (!codeset.empty()) return namesUtf8(codeset) ? TerminalCharset::utf8 : TerminalCharset::ascii;
  const std::size_t dot = localeName.find('.');
  if (dot == std::string_view::npos) return TerminalCharset::ascii;
  const std::string_view name = localeName.substr(dot + 1);
  return namesUtf8(name.substr(0, name.find('@'))) ? TerminalCharset::utf8 : TerminalCharset::ascii;
}

int sgrForeground(int consoleColour) { return ((consoleColour & 8) ? 90 : 30) + ansiIndex(consoleColour); }
int sgrBackground(int consoleColour) { return sgrForeground(consoleColour) + 10; }

TerminalRenderer::TerminalRenderer(TerminalCharset charset) : glyphs_(glyphTable(charset).data()) {}

void TerminalRenderer::invalidate() {
  shown_.reset();
  cursorShown_ = -1;
}

std::string TerminalRenderer::render(const ScreenModel& screen) {
  std::string out;  // the cells; the cursor's hiding goes before them
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
      out += glyphs_[cell.ch];
      // Past the last column the terminal's cursor waits to wrap (or, on a
      // wider terminal, goes on): not a place to rely on.
      column_ = column < ScreenModel::kColumns ? column + 1 : 0;
      row_ = row;
    }
  }
  if (!out.empty() && cursorShown_ != 0) {
    out.insert(0, "\x1b[?25l");
    cursorShown_ = 0;
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

std::string terminalTitleText(const std::string& title, TerminalCharset charset) {
  // Code page 437 shows even bytes below 32 as glyphs, so no byte of the
  // title can end the sequence early.
  std::string text;
  for (char c : title) text += glyphTable(charset)[static_cast<std::uint8_t>(c)];
  return "\x1b[22;0t\x1b]0;" + text + "\x07";
}

std::string terminalRestoreText() {
  return "\x1b[0m\x1b[23;0t" + cursorTo(1, ScreenModel::kRows) + "\x1b[K\x1b[?25h";
}

}  // namespace kveld
