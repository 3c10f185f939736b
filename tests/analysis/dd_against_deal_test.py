"""Our double-dummy tables against the independent solver of Debian's `deal`
on every board of whole sets: deal solves the hands one table at a time,
dd_lines deals the set with our dealer and solves it with our analysis. The
par scores kveld-batch prints against those of deal's own par format, board
by board through a whole cycle of dealers and vulnerabilities."""
import os
import subprocess
import tempfile
import time
import unittest

import programs

DEAL = "/usr/games/deal"
DDLINE_FORMAT = "/usr/share/deal/format/ddline"
PAR_FORMAT = "/usr/share/deal/format/par"


def tags(pbn, name):
    """The values of one tag, in order: [Score "NS 620"] gives "NS 620"."""
    prefix = '[%s "' % name
    return [line[len(prefix):-2] for line in pbn.splitlines() if line.startswith(prefix)]


class AgainstDeal(unittest.TestCase):
    def compare_set(self, control, board_count):
        dd_lines = programs.path("dd_lines")
        hands = subprocess.run([dd_lines, control], check=True, capture_output=True, text=True, timeout=60).stdout
        self.assertEqual(len(hands.splitlines()), board_count)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "hands.txt")
            with open(path, "w") as f:
                f.write(hands)
            start = time.monotonic()
            theirs = subprocess.run([DEAL, "-I", "line " + path, "-i", DDLINE_FORMAT, str(board_count)],
                                    check=True, capture_output=True, text=True, timeout=500, cwd=folder).stdout
            deal_time = time.monotonic() - start
        start = time.monotonic()
        ours = subprocess.run([dd_lines, "--solve", control], check=True, capture_output=True, text=True,
                              timeout=120).stdout
        our_time = time.monotonic() - start
        print("%s, %d boards: deal %.1f s, ours %.1f s" % (control, board_count, deal_time, our_time))
        theirs, ours = theirs.splitlines(), ours.splitlines()
        self.assertEqual(len(theirs), board_count)
        for number, (t, o) in enumerate(zip(theirs, ours), 1):
            self.assertEqual(o, t, "Board %d" % number)
        self.assertEqual(len(ours), board_count)

    def test_a_36_board_set(self):
        self.compare_set("123456789X", 36)

    def test_a_24_board_set(self):
        self.compare_set("1000100006", 24)

    def test_par_scores_from_north_souths_side(self):
        boards = 16  # dealer and vulnerability go round once
        control = "1000100006"
        hands = subprocess.run([programs.path("dd_lines"), control], check=True, capture_output=True, text=True,
                               timeout=60).stdout.splitlines()[:boards]
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "hands.txt")
            with open(path, "w") as f:
                f.write("\n".join(hands) + "\n")
            theirs = subprocess.run([DEAL, "-I", "line " + path, "-i", PAR_FORMAT, str(boards)], check=True,
                                    capture_output=True, text=True, timeout=500, cwd=folder).stdout
        ours = subprocess.run([programs.path("kveld-batch"), "--analyse", "--format", "pbn", control], check=True,
                              capture_output=True, text=True, timeout=300).stdout
        self.assertEqual(tags(theirs, "Board"), [str(n) for n in range(1, boards + 1)])
        self.assertEqual(tags(ours, "Vulnerable")[:boards], tags(theirs, "Vulnerable"))
        scores = tags(theirs, "Score")
        self.assertIn("NS -990", scores)  # Board 1: East-West's slam
        self.assertEqual(tags(ours, "OptimumScore")[:boards], scores)
