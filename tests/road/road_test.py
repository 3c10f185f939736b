"""The dealing road in a real pseudo-terminal: a control string typed, Board 1
read back with its glyphs and colours, the set dealt and written, the
program ended at the last question, a key typed right after Esc among
the answers.

Programs: kveld.
"""
import os

import programs
from pty_terminal import CONSOLE_COLOUR
from reference_deals import BOARD_ONE_ARCHIVE_LINES, EXAMPLE_A, holdings
from sandbox import SYSTEM_PATH, Sandbox, content
from screen_checks import ScreenTestCase

BLUE, GREY, CYAN, YELLOW = CONSOLE_COLOUR[1], CONSOLE_COLOUR[7], CONSOLE_COLOUR[11], CONSOLE_COLOUR[14]
SPADE, HEART, DIAMOND, CLUB = "\u2660", "\u2665", "\u2666", "\u2663"

PLACES = {"North": (37, 8), "West": (24, 12), "East": (50, 12), "South": (37, 16)}


class Road(ScreenTestCase):
    def test_control_string_to_archive_file(self):
        # Valid settings; drive C: holds a DeepFinesse folder with its archive folder.
        place = Sandbox(prefix="kveld-road-")
        archive = place.install_deepfinesse(place.add_drive("c"))
        place.env["PATH"] = SYSTEM_PATH
        with self.start(place, programs.path("kveld")) as t:
            t.wait_for(lambda: "Enter DF control string:" in t.screen.display[4], "the control string prompt")
            t.send(EXAMPLE_A.encode())
            t.wait_for(lambda: t.screen.text(39, 5, 10) == EXAMPLE_A, "the typed string")
            self.expect_cells(t, 39, 5, EXAMPLE_A, CONSOLE_COLOUR[15])
            t.send(b"\r")
            t.wait_for(lambda: "Does this deal match Board #1" in t.screen.display[21],
                       "the Board 1 question")
            t.pump(0.3)
            for seat, (column, row) in PLACES.items():
                for suit, symbol in enumerate((SPADE, HEART, DIAMOND, CLUB)):
                    self.expect_cells(t, column, row + suit, symbol, GREY)
                    self.expect_cells(t, column + 2, row + suit, holdings(seat)[suit], CYAN)
            self.expect_cells(t, 13, 22, "Does this deal match Board #1 on the handrecord?  (Y/n)", YELLOW)
            self.assertEqual((t.screen.cursor.x + 1, t.screen.cursor.y + 1), (64, 22))
            self.assertFalse(t.screen.cursor.hidden)

            t.send(b"\r")
            t.wait_for(lambda: "Shuffling boards..." in t.screen.display[7], "the progress screen")
            t.wait_for(lambda: "DONE.  Enter another set?  (y/N)" in t.screen.display[16],
                       "the end of the set", seconds=15)
            self.assertEqual(t.screen.text(30, 8, 23), "Shuffling boards... 24 ")
            self.expect_cells(t, 28, 11, "Printing to file: ", YELLOW)
            self.expect_cells(t, 46, 11, "Jan-01-M", CYAN)
            # Esc answers no to both questions; the second Esc comes in the
            # same burst as the first and must not be lost behind it.
            t.send(b"\x1b\x1b")
            self.assertEqual(t.wait_exit(), 0)
            self.assertEqual(t.modes(), t.modes_before)
            # The last screen stays.
            self.assertIn("Run Deep Finesse Now?  (Y/n)", t.screen.display[19])

        lines = content(os.path.join(archive, "Jan-01-M.txt")).split(b"\r\n")
        self.assertEqual(len(lines), 149)  # 148 lines, each ended by CR LF
        self.assertEqual([line.decode("ascii") for line in lines[4:10]], BOARD_ONE_ARCHIVE_LINES)

