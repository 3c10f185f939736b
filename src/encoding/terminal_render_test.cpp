#include "encoding/terminal_render.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "encoding/cp437.h"

namespace kveld {
namespace {

// A terminal larger than the program's screen that understands only what a
// renderer may send (CUP, ED 2, SGR colours, cursor on/off, UTF-8 text);
// anything else fails the test. It starts full of rubbish.
struct Terminal {
  static constexpr int kColumns = 100;
  static constexpr int kRows = 30;
  struct Cell {
    char32_t ch = U'#';
    int fg = 5, bg = 5;  // console colours; -1: the terminal's own
  };
  std::vector<Cell> cells = std::vector<Cell>(kColumns * kRows);
  int column = 1, row = 1, fg = 3, bg = 3;
  bool cursorShown = true;

  Cell& at(int c, int r) { return cells[static_cast<std::size_t>((r - 1) * kColumns + c - 1)]; }

  // SGR codes back to console colours, by the ANSI order red 1, green 2, blue 4.
  static int consoleColour(int ansi) {
    static const int kFromAnsi[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    return kFromAnsi[ansi % 10] + (ansi >= 90 ? 8 : 0);
  }

  void control(const std::string& params, char final) {
    std::vector<int> n;
    std::size_t pos = params[0] == '?' ? 1 : 0;
    while (pos <= params.size()) {
      const std::size_t end = std::min(params.find(';', pos), params.size());
      n.push_back(end > pos ? std::stoi(params.substr(pos, end - pos)) : 0);
      pos = end + 1;
    }
    if (final == 'H') {
      row = n[0];
      column = n.size() > 1 ? n[1] : 1;
    } else if (final == 'J' && params == "2") {
      for (Cell& c : cells) c = {U' ', fg, bg};
    } else if (final == 'm') {
      for (int p : n) {
        if (p == 0) {
          fg = bg = -1;
        } else if ((p >= 30 && p <= 37) || (p >= 90 && p <= 97)) {
          fg = consoleColour(p);
        } else if ((p >= 40 && p <= 47) || (p >= 100 && p <= 107)) {
          bg = consoleColour(p - 10);
        } else {
          ADD_FAILURE() << "SGR " << p;
        }
      }
    } else if ((final == 'h' || final == 'l') && params == "?25") {
      cursorShown = final == 'h';
    } else {
      ADD_FAILURE() << "unexpected sequence ESC [ " << params << " " << final;
    }
  }

  void feed(const std::string& out) {
    for (std::size_t i = 0; i < out.size();) {
      if (out[i] == '\x1b') {
        ASSERT_EQ(out.at(i + 1), '[');
        std::size_t end = i + 2;
        while (end < out.size() && !(out[end] >= 0x40 && out[end] <= 0x7e)) ++end;
        control(out.substr(i + 2, end - i - 2), out.at(end));
        i = end + 1;
        continue;
      }
      const auto lead = static_cast<unsigned char>(out[i]);
      const std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
      char32_t ch = len == 1 ? lead : lead & (len == 2 ? 0x1F : 0x0F);
      for (std::size_t k = 1; k < len; ++k) ch = (ch << 6) | (static_cast<unsigned char>(out[i + k]) & 0x3F);
      i += len;
      ASSERT_GE(ch, 0x20u) << "control byte written";
      // A cursor left showing while cells are written jumps about the
      // screen over a slow link.
      ASSERT_FALSE(cursorShown) << "a cell written while the cursor shows";
      ASSERT_TRUE(column <= kColumns && row <= kRows);
      at(column, row) = {ch, fg, bg};
      ++column;
    }
  }

  void expectShows(const ScreenModel& s, bool outsideBlank) {
    for (int r = 1; r <= kRows; ++r) {
      for (int c = 1; c <= kColumns; ++c) {
        const Cell& got = at(c, r);
        if (c <= ScreenModel::kColumns && r <= ScreenModel::kRows) {
          const kveld::Cell& want = s.at(c, r);
          ASSERT_EQ(got.ch, cp437ToUnicode(want.ch)) << c << "," << r;
          ASSERT_EQ(got.fg, want.attr & 15) << c << "," << r;
          ASSERT_EQ(got.bg, want.attr >> 4) << c << "," << r;
        } else if (outsideBlank) {
          ASSERT_TRUE(got.ch == U' ' && got.fg == -1 && got.bg == -1) << c << "," << r;
        }
      }
    }
    ASSERT_EQ(cursorShown, s.cursorVisible);
    if (s.cursorVisible) {
      ASSERT_EQ(column, std::min(s.cursorColumn, 80));
      ASSERT_EQ(row, s.cursorRow);
    }
  }
};

ScreenModel filled(std::uint8_t ch, std::uint8_t attr) {
  ScreenModel s;
  for (Cell& c : s.cells) c = {ch, attr};
  s.cursorVisible = false;
  return s;
}

TEST(TerminalRender, ConsoleColoursAsAnsiCodes) {
  const int fg[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};
  for (int c = 0; c < 16; ++c) {
    EXPECT_EQ(sgrForeground(c), fg[c]) << c;
    EXPECT_EQ(sgrBackground(c), fg[c] + 10) << c;
  }
}

TEST(TerminalRender, FirstRenderClearsAndDrawsEveryCell) {
  std::mt19937 random(7);
  ScreenModel s;
  for (Cell& c : s.cells) c = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random())};
  s.cursorColumn = 47;
  s.cursorRow = 22;
  TerminalRenderer renderer;
  Terminal t;
  t.feed(renderer.render(s));
  t.expectShows(s, true);
}

TEST(TerminalRender, RandomChangesKeepTheTerminalInStep) {
  std::mt19937 random(11);
  ScreenModel s = filled(' ', 0x1E);
  TerminalRenderer renderer;
  Terminal t;
  for (int round = 0; round < 300; ++round) {
    const int changes = static_cast<int>(random() % 40);
    for (int k = 0; k < changes; ++k) {
      s.cells[random() % s.cells.size()] = {static_cast<std::uint8_t>(random()),
                                            static_cast<std::uint8_t>(random())};
    }
    s.cursorColumn = 1 + static_cast<int>(random() % 81);  // 81: just behind text that ends in column 80
    s.cursorRow = 1 + static_cast<int>(random() % 25);
    s.cursorVisible = random() % 2 == 0;
    t.feed(renderer.render(s));
    t.expectShows(s, true);
    if (round % 50 == 49) {  // a resize: the terminal lost its content
      t = Terminal{};
      renderer.invalidate();
    }
  }
}

TEST(TerminalRender, WritesOnlyWhatChanged) {
  ScreenModel s = filled(' ', 0x1E);  // yellow on blue, cursor hidden
  TerminalRenderer renderer;
  renderer.render(s);
  EXPECT_EQ(renderer.render(s), "");

  s.at(10, 5).ch = 'A';
  s.at(11, 5).ch = 'B';
  EXPECT_EQ(renderer.render(s), "\x1b[5;10HAB");
  s.at(12, 5) = {'C', 0x1C};                   // light red: only the foreground changes
  EXPECT_EQ(renderer.render(s), "\x1b[91mC");  // the cursor is already there
  s.at(13, 5) = {'D', 0x5C};                   // magenta background, same foreground
  EXPECT_EQ(renderer.render(s), "\x1b[45mD");
  s.at(14, 5) = {'E', 0xF9};  // both change: one sequence
  EXPECT_EQ(renderer.render(s), "\x1b[94;107mE");
  s.at(80, 5) = {'E', 0xF9};  // no reliance on wrapping at column 80
  s.at(1, 6) = {'F', 0xF9};
  EXPECT_EQ(renderer.render(s), "\x1b[5;80HE\x1b[6;1HF");
  s.at(3, 1).ch = 6;  // a spade, as UTF-8
  EXPECT_EQ(renderer.render(s), "\x1b[1;3H\x1b[93;44m\xE2\x99\xA0");
}

TEST(TerminalRender, CursorMovesAndShowsOnlyWhenThatChangesSomething) {
  ScreenModel s = filled(' ', 0x1E);
  s.cursorVisible = true;
  s.cursorColumn = 47;
  s.cursorRow = 22;
  TerminalRenderer renderer;
  const std::string first = renderer.render(s);
  EXPECT_EQ(first.substr(first.size() - 14), "\x1b[22;47H\x1b[?25h");
  EXPECT_EQ(renderer.render(s), "");
  s.cursorColumn = 48;
  EXPECT_EQ(renderer.render(s), "\x1b[22;48H");
  s.cursorVisible = false;
  EXPECT_EQ(renderer.render(s), "\x1b[?25l");
  s.cursorVisible = true;
  EXPECT_EQ(renderer.render(s), "\x1b[?25h");
  s.at(47, 22).ch = 'Y';  // the cursor hides while the cell is written, and shows last
  s.cursorColumn = 48;
  EXPECT_EQ(renderer.render(s), "\x1b[?25l\x1b[22;47HY\x1b[?25h");
}

// Where the locale's character set is not UTF-8 the terminal gets printable
// ASCII only: stand-ins for the frame, the suits and the accented letters.
TEST(TerminalRender, AsciiStandInsWhereTheTerminalIsNotUtf8) {
  ScreenModel s = filled(' ', 0x1E);
  for (int b = 0; b < 256; ++b) s.at(1 + b % 80, 1 + b / 80) = {static_cast<std::uint8_t>(b), 0x1E};
  TerminalRenderer renderer(TerminalCharset::ascii);
  const std::string out = renderer.render(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == 0x1B) << "byte " << int(c) << " at " << i;
  }
  ScreenModel frame = filled(' ', 0x18);
  const std::string text =
      "\xC9\xCD\xBB\xBA\xC8\xBC\xCC\xB9\xDA\xC4\xBF\xB3\xC0\xD9 \x06\x03\x04\x05 Caf\x82";
  for (std::size_t i = 0; i < text.size(); ++i)
    frame.at(1 + static_cast<int>(i), 1).ch = static_cast<std::uint8_t>(text[i]);
  TerminalRenderer ascii(TerminalCharset::ascii);
  const std::string shown = ascii.render(frame);
  EXPECT_NE(shown.find("+=+|+++++-+|++ SHDC Cafe"), std::string::npos) << shown;
  EXPECT_EQ(terminalTitleText("Caf\x82", TerminalCharset::ascii), "\x1b[22;0t\x1b]0;Cafe\x07");
}

TEST(TerminalRender, CharsetFollowsTheLocale) {
  const struct {
    const char* name;
    const char* codeset;
    TerminalCharset want;
  } cases[] = {
      {"", "", TerminalCharset::utf8},  // no locale set at all: UTF-8 as ever
      {"C.UTF-8", "UTF-8", TerminalCharset::utf8},
      {"C", "ANSI_X3.4-1968", TerminalCharset::ascii},
      {"POSIX", "ANSI_X3.4-1968", TerminalCharset::ascii},
      {"de_DE", "ISO-8859-1", TerminalCharset::ascii},
      {"en_GB.UTF-8", "ISO-8859-1", TerminalCharset::ascii},  // the C library knows best
      // Not installed here, so the C library cannot say: the name's part after the dot.
      {"en_US.utf8", "", TerminalCharset::utf8},
      {"sv_SE.UTF-8@euro", "", TerminalCharset::utf8},
      {"de_DE.ISO-8859-15@euro", "", TerminalCharset::ascii},
      {"fr_FR", "", TerminalCharset::ascii},
  };
  for (const auto& c : cases)
    EXPECT_EQ(terminalCharset(c.name, c.codeset), c.want) << c.name << " " << c.codeset;
}

TEST(TerminalRender, TitleAndRestore) {
  EXPECT_EQ(terminalTitleText("Caf\x82", TerminalCharset::utf8), "\x1b[22;0t\x1b]0;Caf\xC3\xA9\x07");
  const std::string restore = terminalRestoreText();
  EXPECT_NE(restore.find("\x1b[0m"), std::string::npos);
  EXPECT_NE(restore.find("\x1b[?25h"), std::string::npos);
  EXPECT_NE(restore.find("\x1b[23;0t"), std::string::npos);
}

}  // namespace
}  // namespace kveld
