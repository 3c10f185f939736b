#!/usr/bin/python3
"""The DeepFinesse stand-in in a real terminal: started in an installation
folder that holds an archive folder with two archive files, it notes where it
was started, shows the newer file's boards two to a screen, pages with Space
and B, and ends with 0 on Enter; without an archive file it says so.

Usage: standin_screen.py STANDIN
"""
import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source folder clean
from pty_screen import Terminal, check

HANDS = {  # board: North, East, South, West
    1: ("98 T63 J432 9632", "A7653 A92 K87 KQ", "QJ42 Q75 5 AT754", "KT KJ84 AQT96 J8"),
    2: ("T743 A65 983 Q32", "K2 KQ42 QJT7 865", "9865 JT9 642 KJT", "AQJ 873 AK5 A974"),
    3: ("KJ8 KJ5 KQJT95 5", "Q63 97 A763 A732", "AT52 T2 842 QJT4", "974 AQ8643 -- K986"),
}


def archive_text(boards, heading):
    out = ["-" * 79, "--" + " " * 9 + heading, "-" * 79, ""]
    for b in boards:
        n, e, s, w = (h + " " for h in HANDS[b])
        out += [("Deal: %d" % b).ljust(39) + n,
                "Contract: 4H-South".ljust(22) + w.ljust(34) + e,
                "OnLead: West".ljust(39) + s, "Lead: Any", "", ""]
    return "".join(line + "\r\n" for line in out).encode("ascii")


def main():
    standin = os.path.abspath(sys.argv[1])
    top = tempfile.mkdtemp(prefix="kveld-standin-")
    try:
        installation = os.path.join(top, "Deep Finesse")
        archive = os.path.join(installation, "DealAr~1")
        os.makedirs(archive)

        # No archive file yet: the stand-in says so and ends on Enter.
        t = Terminal(standin, ["one", "two words"], cwd=installation)
        t.wait_for("There is no deal archive file (*.txt) in", 3, 1)
        t.wait_for("  " + os.path.realpath(archive), 4, 1)
        t.press("\r")
        check(t.wait_end() == 0, "the stand-in did not end with 0")

        with open(os.path.join(archive, "Jan-01-M.txt"), "wb") as f:
            f.write(archive_text([1, 2, 3], "January 1, 2001     Morning"))
        older = time.time() - 3600
        with open(os.path.join(archive, "Dec-31-L.txt"), "wb") as f:
            f.write(archive_text([2], "December 31, 2000     Late"))
        os.utime(os.path.join(archive, "Dec-31-L.txt"), (older, older))

        t = Terminal(standin, [], cwd=installation)
        t.wait_for("Board 1", 4, 1)
        check("Jan-01-M.txt" in t.text(1, 1, 80) and "page 1 of 2" in t.text(1, 1, 80), t.dump())
        check(t.text(2, 1, 27) == "January 1, 2001     Morning", t.dump())
        for row, column, text in [(5, 13, "S 98"), (9, 1, "S KT"), (9, 25, "S A7653"), (16, 13, "C AT754"),
                                  (4, 41, "Board 2"), (5, 53, "S T743"), (12, 41, "C A974"), (12, 65, "C 865")]:
            check(t.text(row, column, len(text)) == text, "%r at row %d, column %d:\n%s" % (text, row, column,
                                                                                          t.dump()))
        check(t.text(22, 1, 40).rstrip() == "Space: next boards   Enter: end", t.dump())
        t.press(" ")
        t.wait_for("Board 3", 4, 1)
        check(t.text(11, 1, 4) == "D --" and t.text(9, 1, 5) == "S 974", t.dump())
        check(t.text(22, 1, 40).rstrip() == "B: back   Enter: end", t.dump())
        t.press("b")
        t.wait_for("Board 2", 4, 41)
        t.press("\r")
        check(t.wait_end() == 0, "the stand-in did not end with 0")

        log = open(os.path.join(installation, "standin-started.txt"), encoding="utf-8").read()
        folder = os.path.realpath(installation)
        check(log == "started\tfolder=%s\targuments=2\tone\ttwo words\n"
              "started\tfolder=%s\targuments=0\n" % (folder, folder), "the log reads %r" % log)
    finally:
        shutil.rmtree(top, ignore_errors=True)
    print("the stand-in shows its boards")


if __name__ == "__main__":
    main()
