"""Our PBN reader against the PBN of two dealing programs we did not write,
Debian's `dealer` and `deal`: each deals 20 boards from a fixed seed twice,
once as PBN and once in a form of its own (dealer's diagrams, deal's card
numbers), and the boards that kveld-batch --input reads from the PBN must
hold the hands that the program printed the other way, card for card."""
import os
import re
import subprocess
import tempfile
import unittest

import programs

DEALER = "/usr/games/dealer"
DEAL = "/usr/games/deal"
DEAL_FORMATS = "/usr/share/deal/format/"
BOARDS = 20
SEATS = "NESW"
SUITS = "SHDC"
RANKS = "AKQJT98765432"
VULNERABLE = ["None", "NS", "EW", "All", "NS", "EW", "All", "None", "EW", "All", "None", "NS", "All", "None", "NS",
              "EW"]


def read_boards(folder, pbn):
    """Our boards from PBN bytes, as kveld-batch --input reads them and writes them again as PBN:
    {number: (dealer, vulnerable, {seat: "s.h.d.c"})} and the sets' events."""
    path = os.path.join(folder, "deals.pbn")
    with open(path, "wb") as f:
        f.write(pbn)
    out = subprocess.run([programs.path("kveld-batch"), "--input", path, "--format", "pbn"], capture_output=True,
                         timeout=30)
    if out.returncode != 0:
        raise AssertionError("kveld-batch refused the file: " + out.stderr.decode())
    boards, events = {}, []
    for game in out.stdout.decode().split("\r\n\r\n")[1:]:
        tags = dict(re.findall(r'^\[(\w+) "(.*)"\]\r$', game + "\r", re.MULTILINE))
        if tags["Event"] not in events:
            events.append(tags["Event"])
        first, hands = tags["Deal"].split(":")
        assert first == "N", tags["Deal"]
        boards[int(tags["Board"])] = (tags["Dealer"], tags["Vulnerable"], dict(zip(SEATS, hands.split(" "))))
    return boards, events


def hand_text(suits):
    """"AK.QJT..2" from the ranks of each suit, highest first."""
    return ".".join("".join(sorted(s, key=RANKS.index)) for s in suits)


def dealer_diagrams(text):
    """dealer's printall: a line "   N." and four lines of four 20-column hands (N, E, S, W), "-" a void."""
    lines = text.splitlines()
    boards = {}
    for i, line in enumerate(lines):
        if not line.strip().endswith(".") or not line.strip()[:-1].isdigit():
            continue
        rows = lines[i + 1:i + 5]
        hands = {}
        for k, seat in enumerate(SEATS):
            suits = [row[20 * k:20 * k + 20].split() for row in rows]
            hands[seat] = hand_text([[] if s == ["-"] else s for s in suits])
        boards[int(line.strip()[:-1])] = hands
    return boards


def deal_numbers(text):
    """deal's numeric format: 52 digits a board, the seat (0 North .. 3 West) of each card from the ace of
    spades to the two of clubs."""
    boards = {}
    for number, line in enumerate(text.split(), 1):
        assert len(line) == 52, line
        suits = {seat: [[], [], [], []] for seat in SEATS}
        for card, digit in enumerate(line):
            suits[SEATS[int(digit)]][card // 13].append(RANKS[card % 13])
        boards[number] = {seat: hand_text(s) for seat, s in suits.items()}
    return boards


class DealingPrograms(unittest.TestCase):
    def check(self, ours, theirs):
        self.assertEqual(sorted(ours), list(range(1, BOARDS + 1)))
        self.assertEqual(sorted(theirs), list(range(1, BOARDS + 1)))
        for number in range(1, BOARDS + 1):
            dealer, vulnerable, hands = ours[number]
            self.assertEqual(hands, theirs[number], "board %d" % number)
            self.assertEqual(dealer, SEATS[(number - 1) % 4], "board %d" % number)
            self.assertEqual(vulnerable, VULNERABLE[(number - 1) % 16], "board %d" % number)

    def test_dealer(self):
        with tempfile.TemporaryDirectory() as folder:
            def run(action):
                script = os.path.join(folder, action + ".in")
                with open(script, "w") as f:
                    f.write("generate %d\nproduce %d\naction %s\n" % (BOARDS, BOARDS, action))
                return subprocess.run([DEALER, "-s", "2024", script], check=True, capture_output=True,
                                      timeout=30).stdout
            ours, events = read_boards(folder, run("printpbn"))
            self.assertEqual(len(events), 1)
            self.assertIn("Hand simulated by dealer", events[0])
            self.check(ours, dealer_diagrams(run("printall").decode("ascii")))

    def test_deal(self):
        with tempfile.TemporaryDirectory() as folder:
            def run(form):
                return subprocess.run([DEAL, "-s", "2024", "-i", DEAL_FORMATS + form, str(BOARDS)], check=True,
                                      capture_output=True, timeout=30, cwd=folder).stdout
            # deal's PBN gives only Deal tags: the boards are numbered in turn.
            ours, _ = read_boards(folder, run("pbn"))
            self.check(ours, deal_numbers(run("numeric").decode("ascii")))
