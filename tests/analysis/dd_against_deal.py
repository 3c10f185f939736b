"""Our double-dummy tables against the independent solver of Debian's `deal`
on every board of a whole set.

Usage: dd_against_deal.py DD_LINES DEAL CONTROL
"""
import os
import subprocess
import sys
import tempfile
import time


def main():
    dd_lines, deal, control = sys.argv[1:4]
    hands = subprocess.run([dd_lines, control], check=True, capture_output=True, text=True, timeout=60).stdout
    boards = hands.splitlines()
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "hands.txt")
        with open(path, "w") as f:
            f.write(hands)
        start = time.monotonic()
        theirs = subprocess.run(
            [deal, "-I", "line " + path, "-i", "/usr/share/deal/format/ddline", str(len(boards))],
            check=True, capture_output=True, text=True, timeout=500, cwd=folder).stdout
        deal_time = time.monotonic() - start
    start = time.monotonic()
    ours = subprocess.run([dd_lines, "--solve", control], check=True, capture_output=True, text=True,
                          timeout=120).stdout
    our_time = time.monotonic() - start
    theirs, ours = theirs.splitlines(), ours.splitlines()
    print(f"{len(boards)} boards: deal {deal_time:.1f} s, ours {our_time:.1f} s")
    if len(boards) not in (24, 36) or len(theirs) != len(boards) or len(ours) != len(boards):
        print(f"expected {len(boards)} lines from each, got deal {len(theirs)}, ours {len(ours)}")
        return 1
    wrong = [(n, t, o) for n, (t, o) in enumerate(zip(theirs, ours), 1) if t != o]
    for n, t, o in wrong:
        print(f"Board {n}:\n  deal: {t}\n  ours: {o}")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
