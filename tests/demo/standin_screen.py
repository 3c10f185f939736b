"""The DeepFinesse stand-in in a real terminal: started in an installation
folder that holds an archive folder with two archive files, it notes where it
was started, shows the newer file's boards two to a screen, pages with Space
and B, and ends with 0 on Enter; without an archive file it says so.

Programs: standin.
"""
import os
import shutil
import tempfile
import time
import unittest

import programs
from pty_terminal import PtyTerminal
from reference_deals import EXAMPLE_A, HANDS, suit_line
from sandbox import content, write

END_SECONDS = 20  # for the stand-in to end after Enter


def archive_text(boards, heading):
    out = ["-" * 79, "--" + " " * 9 + heading, "-" * 79, ""]
    for b in boards:
        n, e, s, w = (h + " " for h in HANDS[EXAMPLE_A][b])
        out += [("Deal: %d" % b).ljust(39) + n,
                "Contract: 4H-South".ljust(22) + w.ljust(34) + e,
                "OnLead: West".ljust(39) + s, "Lead: Any", "", ""]
    return "".join(line + "\r\n" for line in out).encode("ascii")


class StandinScreen(unittest.TestCase):
    def start_standin(self, args, cwd):
        t = PtyTerminal([programs.path("standin")] + args, cwd=cwd, env={"LANG": "C.UTF-8"},
                        term="xterm-256color")
        self.addCleanup(t.close)
        return t

    def expect_text(self, t, column, row, text):
        self.assertEqual(t.screen.text(column, row, len(text)), text,
                         "at row %d, column %d:\n%s" % (row, column, t.screen.dump()))

    def test_newest_archive_file_paged(self):
        top = tempfile.mkdtemp(prefix="kveld-standin-")
        self.addCleanup(shutil.rmtree, top, ignore_errors=True)
        installation = os.path.join(top, "Deep Finesse")
        archive = os.path.join(installation, "DealAr~1")
        os.makedirs(archive)

        # No archive file yet: the stand-in says so and ends on Enter.
        t = self.start_standin(["one", "two words"], installation)
        t.wait_for_text("There is no deal archive file (*.txt) in", 1, 3)
        t.wait_for_text("  " + os.path.realpath(archive), 1, 4)
        t.send(b"\r")
        self.assertEqual(t.wait_exit(END_SECONDS), 0, "the stand-in's exit code")

        write(os.path.join(archive, "Jan-01-M.txt"), archive_text([1, 2, 3], "January 1, 2001     Morning"))
        older = time.time() - 3600
        write(os.path.join(archive, "Dec-31-L.txt"), archive_text([2], "December 31, 2000     Late"))
        os.utime(os.path.join(archive, "Dec-31-L.txt"), (older, older))

        t = self.start_standin([], installation)
        t.wait_for_text("Board 1", 1, 4)
        self.assertIn("Jan-01-M.txt", t.screen.text(1, 1, 80), t.screen.dump())
        self.assertIn("page 1 of 2", t.screen.text(1, 1, 80), t.screen.dump())
        self.expect_text(t, 1, 2, "January 1, 2001     Morning")
        for row, column, text in [(5, 13, suit_line("North", 0)), (9, 1, suit_line("West", 0)),
                                  (9, 25, suit_line("East", 0)), (16, 13, suit_line("South", 3)),
                                  (4, 41, "Board 2"), (5, 53, suit_line("North", 0, 2)),
                                  (12, 41, suit_line("West", 3, 2)), (12, 65, suit_line("East", 3, 2))]:
            self.expect_text(t, column, row, text)
        self.assertEqual(t.screen.text(1, 22, 40).rstrip(), "Space: next boards   Enter: end",
                         t.screen.dump())
        t.send(b" ")
        t.wait_for_text("Board 3", 1, 4)
        self.expect_text(t, 1, 11, suit_line("West", 2, 3))  # a void: "D --"
        self.expect_text(t, 1, 9, suit_line("West", 0, 3))
        self.assertEqual(t.screen.text(1, 22, 40).rstrip(), "B: back   Enter: end", t.screen.dump())
        t.send(b"b")
        t.wait_for_text("Board 2", 41, 4)
        t.send(b"\r")
        self.assertEqual(t.wait_exit(END_SECONDS), 0, "the stand-in's exit code")

        log = content(os.path.join(installation, "standin-started.txt")).decode("utf-8")
        folder = os.path.realpath(installation)
        self.assertEqual(log, "started\tfolder=%s\targuments=2\tone\ttwo words\n"
                         "started\tfolder=%s\targuments=0\n" % (folder, folder))
