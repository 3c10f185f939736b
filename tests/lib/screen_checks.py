"""Checks of what a screen shows, cell by cell: character, colours, bold."""
import unittest

from pty_terminal import CONSOLE_COLOUR

BLUE = CONSOLE_COLOUR[1]


class ScreenTestCase(unittest.TestCase):
    def start(self, sandbox, program, **kwargs):
        """The program in its sandbox, ended and removed after the test."""
        self.addCleanup(sandbox.close)
        t = sandbox.start(program, **kwargs)
        self.addCleanup(t.close)
        return t

    def expect_cells(self, cells, column, row, text, fg, bg=BLUE, blanks_any_fg=False, not_bold=False):
        """`text` from (column, row), counted from 1, in `fg` on `bg`; `cells`
        is a PtyTerminal, its screen, or a copy of the cells taken earlier.
        With `blanks_any_fg` a blank's foreground is not looked at."""
        dump = ""
        if hasattr(cells, "screen"):
            cells = cells.screen
        if hasattr(cells, "cells"):
            dump = "\n" + cells.dump()
            cells = cells.cells()
        for i, ch in enumerate(text):
            cell = cells[row - 1][column - 1 + i]
            where = "column %d, row %d%s" % (column + i, row, dump)
            want_fg = cell.fg if blanks_any_fg and ch == " " else fg
            self.assertEqual((cell.data, cell.fg, cell.bg), (ch, want_fg, bg), where)
            if not_bold:
                self.assertFalse(cell.bold, where)
