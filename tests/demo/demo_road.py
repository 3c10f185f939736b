"""The newcomer's first run, as `make run` starts it, in a real terminal.

Runs tools/run-demo.sh with the built program in a fresh demo folder, in a
pseudo-terminal of 80 x 25 read back through a terminal emulator: title,
settings notice, setup on drive C:, control string 1000100006, Board 1, the
archive file in the demo installation, the stand-in showing Board 1; then a
second run that keeps the settings and asks for a control string at once.

Programs: kveld, run_demo (tools/run-demo.sh).
"""
import os
import shutil
import tempfile
import unittest

import programs
from pty_terminal import PtyTerminal
from reference_deals import BOARD_ONE_ARCHIVE_LINES, EXAMPLE_A, holdings, suit_line
from sandbox import content

SPADE, HEART, DIAMOND, CLUB = "\u2660", "\u2665", "\u2666", "\u2663"
# Where Board 1 shows each hand: seat, symbol column, first row.
PLACES = [("North", 37, 8), ("West", 24, 12), ("East", 50, 12), ("South", 37, 16)]
END_SECONDS = 20  # for the demo to end after its last key


class DemoRoad(unittest.TestCase):
    def test_first_run_then_settings_kept(self):
        top = tempfile.mkdtemp(prefix="kveld-demo-")
        self.addCleanup(shutil.rmtree, top, ignore_errors=True)
        demo = os.path.join(top, "demo")
        self.first_run(demo)
        self.second_run(demo)

    def start_demo(self, demo):
        script = programs.path("run_demo")
        t = PtyTerminal(["/bin/sh", script, programs.path("kveld"), demo], cwd=os.path.dirname(script),
                        env={"LANG": "C.UTF-8"}, term="xterm-256color")
        self.addCleanup(t.close)
        return t

    def check_board_one(self, t):
        for seat, column, first_row in PLACES:
            for suit, (symbol, holding) in enumerate(zip((SPADE, HEART, DIAMOND, CLUB), holdings(seat))):
                shown = t.screen.text(column, first_row + suit, 2 + len(holding) + 1)
                self.assertEqual(shown, symbol + " " + holding + " ",
                                 "%s's suit %d; the screen:\n%s" % (seat, suit, t.screen.dump()))

    def check_archive(self, path):
        self.assertTrue(os.path.isfile(path), "no archive file at " + path)
        lines = content(path).split(b"\r\n")
        self.assertEqual(lines[-1], b"", "the archive file does not end with CR LF")
        lines = lines[:-1]
        self.assertEqual(len(lines), 148)
        self.assertNotIn(b"\n", b"".join(lines), "a line feed without carriage return in the archive file")
        self.assertEqual((lines[0], lines[2]), (b"-" * 79, b"-" * 79), "the dashed lines of the heading")
        self.assertTrue(lines[1].startswith(b"--" + b" " * 9 + b"January 1,")
                        and lines[1].endswith(b"     Morning"), "the heading line reads %r" % lines[1])
        self.assertEqual([line.decode("ascii") for line in lines[4:10]], BOARD_ONE_ARCHIVE_LINES,
                         "Board 1 in the archive file")
        self.assertEqual(lines[-3:], [b"Lead: Any", b"", b""], "the archive file's end")

    def first_run(self, demo):
        installation = os.path.join(demo, "drive_c", "Program Files", "DeepFinesse")
        t = self.start_demo(demo)
        t.wait_for_text("Pemwick's", 20, 2)
        t.wait_for_text("The initialization file KVELD.INI is missing or corrupted.", 11, 11)
        t.send(b"\r")
        t.wait_for_text("Specify the drive letter where DeepFinesse is located:  C ", 10, 5)
        t.send(b"\r")
        t.wait_for_text("DONE! Setup is complete.", 15, 10)
        t.send(b"\r")
        t.wait_for_text("Enter DF control string:", 13, 5)
        t.send(EXAMPLE_A.encode())
        t.wait_for_text(EXAMPLE_A, 39, 5)
        t.send(b"\r")
        t.wait_for_text("Does this deal match Board #1 on the handrecord?  (Y/n)", 13, 22)
        self.check_board_one(t)
        t.send(b"\r")
        t.wait_for_text("DONE.  Enter another set?  (y/N)", 25, 17)
        self.assertEqual(t.screen.text(28, 11, 26), "Printing to file: Jan-01-M", t.screen.dump())
        self.check_archive(os.path.join(installation, "Deal Archive", "Jan-01-M.txt"))
        self.assertEqual(content(os.path.join(demo, "run", "KVELD.INI")),
                         b"DeepFinesseDirectory=C:\\Program Files\\DeepFinesse\r\n"
                         b"ExecutableFile=DFSTANDIN.EXE\r\n")
        t.send(b"\r")
        t.wait_for_text("Run Deep Finesse Now?  (Y/n)", 25, 20)
        t.send(b"\r")
        # The stand-in: the newest archive file, Board 1 in its diagram.
        t.wait_for_text("Deal viewer (DeepFinesse stand-in)", 1, 1)
        self.assertIn("Jan-01-M.txt", t.screen.text(1, 1, 80), "the stand-in names another file")
        for row, column, text in [(4, 1, "Board 1"), (5, 13, suit_line("North", 0)),
                                  (9, 1, suit_line("West", 0)), (9, 25, suit_line("East", 0)),
                                  (11, 1, suit_line("West", 2)), (13, 13, suit_line("South", 0)),
                                  (16, 13, suit_line("South", 3)), (4, 41, "Board 2")]:
            self.assertEqual(t.screen.text(column, row, len(text)), text,
                             "the stand-in at row %d, column %d:\n%s" % (row, column, t.screen.dump()))
        log = content(os.path.join(installation, "standin-started.txt")).decode("utf-8")
        self.assertEqual(log, "started\tfolder=%s\targuments=0\n" % os.path.realpath(installation))
        t.send(b"\r")
        self.assertEqual(t.wait_exit(END_SECONDS), 0, "the first run's exit code")

    def second_run(self, demo):
        ini_path = os.path.join(demo, "run", "KVELD.INI")
        before = content(ini_path)
        t = self.start_demo(demo)
        t.wait_for_text("Enter DF control string:", 13, 5)
        self.assertFalse(t.shows("SETUP"), "setup ran again:\n" + t.screen.dump())
        self.assertEqual(t.quit_with_esc(seconds=END_SECONDS), 0, "the second run's exit code")
        self.assertEqual(content(ini_path), before, "KVELD.INI changed in the second run")
