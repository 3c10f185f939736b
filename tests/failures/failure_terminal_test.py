"""The run-time error screens of the real program in a pseudo-terminal: what
the user sees, the exit code, the terminal given back and the files left.

Programs: kveld.
"""
import os

import programs
from pty_terminal import CONSOLE_COLOUR
from sandbox import SETTINGS, SYSTEM_PATH, Sandbox, content, write
from screen_checks import ScreenTestCase

BLUE, MAGENTA, YELLOW, WHITE = CONSOLE_COLOUR[1], CONSOLE_COLOUR[5], CONSOLE_COLOUR[14], CONSOLE_COLOUR[15]


class Place(Sandbox):
    """A sandbox whose drive C: holds a DeepFinesse folder with its archive
    folder."""

    def __init__(self, settings=SETTINGS):
        super().__init__(settings, prefix="kveld-fail-")
        self.drive = self.add_drive("c")
        self.archive = self.install_deepfinesse(self.drive)
        self.env["PATH"] = SYSTEM_PATH


class Screens(ScreenTestCase):
    def expect_cells(self, t, column, row, text, fg, bg):
        super().expect_cells(t, column, row, text, fg, bg, blanks_any_fg=True)

    def one_set(self, t):
        t.wait_for(lambda: "Enter DF control string:" in t.screen.display[4], "the control string prompt")
        t.send(b"1000100006\r")
        t.wait_for(lambda: "Does this deal match Board #1" in t.screen.display[21], "the Board 1 question")
        t.send(b"\r")


class FirstRun(Screens):
    def test_notice_then_setup(self):
        place = Place(settings=None)
        with self.start(place, programs.path("kveld")) as t:
            t.wait_for(lambda: "KVELD.INI is missing or corrupted." in t.screen.display[10], "the notice")
            t.pump(0.3)
            self.expect_cells(t, 10, 9, " " * 62, None, CONSOLE_COLOUR[15])
            self.expect_cells(t, 11, 11, "The initialization file KVELD.INI is missing or corrupted.",
                              MAGENTA, WHITE)
            self.expect_cells(t, 28, 14, "A new file will be created.", MAGENTA, WHITE)
            self.expect_cells(t, 37, 17, "<any key>", MAGENTA, WHITE)
            self.assertFalse(os.path.exists(place.ini))
            t.send(b"k")
            t.wait_for(lambda: "SETUP needs to establish a link" in t.screen.display[3], "the drive prompt")
            self.assertEqual(content(place.ini), b"")
            self.assertEqual(t.quit_with_esc(), 0)
            self.assertEqual(t.modes(), t.modes_before)


class MissingFolder(Screens):
    def test_question_answered_no(self):
        place = Place()
        os.rmdir(place.archive)
        with self.start(place, programs.path("kveld")) as t:
            self.one_set(t)
            t.wait_for(lambda: "archive directory has been moved" in t.screen.display[9], "the question",
                       seconds=15)
            t.pump(0.3)
            self.expect_cells(t, 8, 10, " The DeepFinesse archive directory has been moved or deleted. ",
                              WHITE, MAGENTA)
            self.expect_cells(t, 8, 13, " KVELD needs to be reinstalled. Continue with setup?  (Y/n)",
                              YELLOW, BLUE)
            self.assertEqual((t.screen.cursor.x + 1, t.screen.cursor.y + 1), (63, 13))
            t.send(b"n")
            self.assertEqual(t.wait_exit(), 0)
            self.assertEqual(t.modes(), t.modes_before)
            self.assertIn("Continue with setup?", t.screen.display[12])  # the screen stays
        self.assertEqual(content(place.ini), SETTINGS)
        self.assertFalse(os.path.exists(place.archive))


class FileSizeLimit(Screens):
    def test_write_past_the_limit_is_a_full_disk(self):
        """Started under a limit on the size of the files it writes, the
        program reports a full disk and keeps the earlier archive file."""
        place = Place()
        earlier = os.path.join(place.archive, "Jan-01-M.txt")
        write(earlier, b"an earlier set\r\n")
        with self.start(place, "/usr/bin/prlimit", args=["--fsize=4096", programs.path("kveld")]) as t:
            self.one_set(t)
            t.wait_for(lambda: "ERROR:" in t.screen.display[11], "the general halt", seconds=15)
            t.pump(0.3)
            self.expect_cells(t, 28, 12, " ERROR: 61 , LINE: 0 ", YELLOW, BLUE)
            self.expect_cells(t, 27, 14, "Sorry -- program halted. ", YELLOW, BLUE)
            t.send(b"k")
            self.assertEqual(t.wait_exit(), 0)
            self.assertEqual(t.modes(), t.modes_before)
        self.assertEqual(content(earlier), b"an earlier set\r\n")
        self.assertEqual(os.listdir(place.archive), ["Jan-01-M.txt"])


class BadName(Screens):
    def test_file_access_error(self):
        place = Place(settings=b"DeepFinesseDirectory=C:\\D?F\r\nExecutableFile=DF.EXE\r\n")
        with self.start(place, programs.path("kveld")) as t:
            self.one_set(t)
            t.wait_for(lambda: "File Access Error" in t.screen.display[9], "the file access error",
                       seconds=15)
            t.pump(0.3)
            self.expect_cells(t, 31, 10, " File Access Error ", WHITE, MAGENTA)
            self.expect_cells(t, 17, 12, " A program file unexpectedly has been set as    ", YELLOW, BLUE)
            self.expect_cells(t, 17, 13, " read-only, or the path to the file is invalid. ", YELLOW, BLUE)
            self.expect_cells(t, 30, 15, " Execution halted. ", YELLOW, BLUE)
            self.assertIsNone(t.process.poll())
            t.send(b"k")
            self.assertEqual(t.wait_exit(), 0)
            self.assertEqual(t.modes(), t.modes_before)
        self.assertEqual(os.listdir(place.archive), [])
        self.assertEqual(sorted(os.listdir(place.drive)), ["DF"])

