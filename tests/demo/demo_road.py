#!/usr/bin/python3
"""The newcomer's first run, as `make run` starts it, in a real terminal.

Runs tools/run-demo.sh with the built program in a fresh demo folder, in a
pseudo-terminal of 80 x 25 read back through a terminal emulator: title,
settings notice, setup on drive C:, control string 1000100006, Board 1, the
archive file in the demo installation, the stand-in showing Board 1; then a
second run that keeps the settings and asks for a control string at once.

Usage: demo_road.py PROGRAM RUN_DEMO_SCRIPT
"""
import os
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
from pty_screen import Terminal, check


SPADE, HEART, DIAMOND, CLUB = "\u2660", "\u2665", "\u2666", "\u2663"
# Board 1 of control string 1000100006: seat, symbol column, first row, holdings.
BOARD_ONE = [
    ("North", 37, 8, ["98", "T63", "J432", "9632"]),
    ("West", 24, 12, ["KT", "KJ84", "AQT96", "J8"]),
    ("East", 50, 12, ["A7653", "A92", "K87", "KQ"]),
    ("South", 37, 16, ["QJ42", "Q75", "5", "AT754"]),
]


def check_board_one(t):
    for seat, column, first_row, holdings in BOARD_ONE:
        for suit, (symbol, holding) in enumerate(zip((SPADE, HEART, DIAMOND, CLUB), holdings)):
            shown = t.text(first_row + suit, column, 2 + len(holding) + 1)
            check(shown == symbol + " " + holding + " ",
                  "%s's suit %d shows %r, not %r; the screen:\n%s" % (seat, suit, shown, holding, t.dump()))


def check_archive(path):
    check(os.path.isfile(path), "no archive file at " + path)
    data = open(path, "rb").read()
    lines = data.split(b"\r\n")
    check(lines[-1] == b"", "the archive file does not end with CR LF")
    lines = lines[:-1]
    check(len(lines) == 148, "the archive file has %d lines, not 148" % len(lines))
    check(b"\n" not in b"".join(lines), "a line feed without carriage return in the archive file")
    check(lines[0] == b"-" * 79 and lines[2] == b"-" * 79, "the dashed lines of the heading")
    check(lines[1].startswith(b"--" + b" " * 9 + b"January 1,") and lines[1].endswith(b"     Morning"),
          "the heading line reads %r" % lines[1])
    board_one = [
        b"Deal: 1" + b" " * 32 + b"98 T63 J432 9632 ",
        b"Contract: 4H-South" + b" " * 4 + b"KT KJ84 AQT96 J8 " + b" " * 17 + b"A7653 A92 K87 KQ ",
        b"OnLead: West" + b" " * 27 + b"QJ42 Q75 5 AT754 ",
        b"Lead: Any", b"", b"",
    ]
    check(lines[4:10] == board_one, "Board 1 in the archive file reads %r" % lines[4:10])
    check(lines[-3:] == [b"Lead: Any", b"", b""], "the archive file's end reads %r" % lines[-3:])


def first_run(program, script, demo):
    installation = os.path.join(demo, "drive_c", "Program Files", "DeepFinesse")
    t = Terminal("/bin/sh", [script, program, demo], cwd=os.path.dirname(script))
    t.wait_for("Pemwick's", 2, 20)
    t.wait_for("The initialization file KVELD.INI is missing or corrupted.", 11, 11)
    t.press("\r")
    t.wait_for("Specify the drive letter where DeepFinesse is located:  C ", 5, 10)
    t.press("\r")
    t.wait_for("DONE! Setup is complete.", 10, 15)
    t.press("\r")
    t.wait_for("Enter DF control string:", 5, 13)
    t.press("1000100006")
    t.wait_for("1000100006", 5, 39)
    t.press("\r")
    t.wait_for("Does this deal match Board #1 on the handrecord?  (Y/n)", 22, 13)
    check_board_one(t)
    t.press("\r")
    t.wait_for("DONE.  Enter another set?  (y/N)", 17, 25)
    check(t.text(11, 28, 26) == "Printing to file: Jan-01-M", "the progress line:\n" + t.dump())
    check_archive(os.path.join(installation, "Deal Archive", "Jan-01-M.txt"))
    ini = open(os.path.join(demo, "run", "KVELD.INI"), "rb").read()
    check(ini == b"DeepFinesseDirectory=C:\\Program Files\\DeepFinesse\r\nExecutableFile=DFSTANDIN.EXE\r\n",
          "KVELD.INI holds %r" % ini)
    t.press("\r")
    t.wait_for("Run Deep Finesse Now?  (Y/n)", 20, 25)
    t.press("\r")
    # The stand-in: the newest archive file, Board 1 in its diagram.
    t.wait_for("Deal viewer (DeepFinesse stand-in)", 1, 1)
    check("Jan-01-M.txt" in t.text(1, 1, 80), "the stand-in names another file:\n" + t.dump())
    for row, column, text in [(4, 1, "Board 1"), (5, 13, "S 98"), (9, 1, "S KT"), (9, 25, "S A7653"),
                              (11, 1, "D AQT96"), (13, 13, "S QJ42"), (16, 13, "C AT754"), (4, 41, "Board 2")]:
        check(t.text(row, column, len(text)) == text,
              "the stand-in shows %r at row %d, column %d, not %r:\n%s" % (t.text(row, column, len(text)), row,
                                                                         column, text, t.dump()))
    log = open(os.path.join(installation, "standin-started.txt"), encoding="utf-8").read()
    check(log == "started\tfolder=%s\targuments=0\n" % os.path.realpath(installation),
          "the stand-in's log reads %r" % log)
    t.press("\r")
    status = t.wait_end()
    check(status == 0, "the first run ended with %r" % status)


def second_run(program, script, demo):
    ini_path = os.path.join(demo, "run", "KVELD.INI")
    before = open(ini_path, "rb").read()
    t = Terminal("/bin/sh", [script, program, demo], cwd=os.path.dirname(script))
    t.wait_for("Enter DF control string:", 5, 13)
    check(not t.shows("SETUP", None, None), "setup ran again:\n" + t.dump())
    t.press("\x1b")
    t.wait_for(" Quit program?  (Y/n) ", 22, 30)
    t.press("\r")
    status = t.wait_end()
    check(status == 0, "the second run ended with %r" % status)
    check(open(ini_path, "rb").read() == before, "KVELD.INI changed in the second run")


def main():
    program, script = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    top = tempfile.mkdtemp(prefix="kveld-demo-")
    try:
        demo = os.path.join(top, "demo")
        first_run(program, script, demo)
        second_run(program, script, demo)
    finally:
        shutil.rmtree(top, ignore_errors=True)
    print("the demo road works")


if __name__ == "__main__":
    main()
