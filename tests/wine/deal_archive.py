"""The deal archive file a control string must give, worked out here on its
own from the published rules (control digits, date, generator, dealing,
file layout), so that the Windows program's file can be compared with it
byte for byte. check() holds it against the hand records known by heart.

  deal_archive.py CONTROL_STRING OUTPUT_FILE   writes the expected file
  deal_archive.py --check                      checks this model

with tests/lib on PYTHONPATH (for the reference deals).
"""
import struct
import sys

from reference_deals import BOARD_ONE_ARCHIVE_LINES, EXAMPLE_A, EXAMPLE_B, HANDS

MONTH_NAME = ["January", "February", "March", "April", "May", "June", "July", "August", "September",
              "October", "November", "December"]
MONTH_DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
SESSION_NAME = {1: "Morning", 2: "Afternoon", 3: "Evening", 4: "Late"}
SESSION_LETTER = {1: "M", 2: "A", 3: "E", 4: "L"}
RANKS = "AKQJT98765432"
NORTH, EAST, SOUTH, WEST = 0, 1, 2, 3


def int16(v):
    v &= 0xFFFF
    return v - 0x10000 if v >= 0x8000 else v


def control_digits(text):
    """The ten digit values of a valid control string (blanks skipped, X as 10)."""
    digits = [10 if c == "X" else int(c) for c in text.upper() if c != " "]
    if len(digits) != 10 or 10 in digits[:9]:
        raise ValueError("not ten digits: %r" % text)
    if sum((10 - i) * d for i, d in enumerate(digits)) % 11:
        raise ValueError("check digit: %r" % text)
    return digits


def decode_day(day):
    """(year, month, day of month) of a day count, by the control string's
    own calendar; Python's // and % are made to truncate toward zero."""
    def div(a, b):
        return int(a / b)

    def rem(a, b):
        return a - b * div(a, b)

    cycle = div(day - 1, 1461)
    t = rem(day - 1, 1461) + 1
    y = div(t, 365) + 1
    d = t - 365 * (y - 1)
    leap = rem(y, 4) == 0
    m = 1
    while d > (29 if (m == 2 and leap) else MONTH_DAYS[(m - 1) % 12]):
        d -= 29 if (m == 2 and leap) else MONTH_DAYS[(m - 1) % 12]
        m += 1
    return 4 * cycle + y, rem(m - 1, 12) + 1, d


class Set:
    def __init__(self, text):
        d = control_digits(text)
        self.day_number = 1000 * d[8] + 100 * d[6] + 10 * d[2] + d[0]
        self.year, self.month, self.day = decode_day(self.day_number)
        self.deal_offset = 1000 * d[1] + 100 * d[3] + 10 * d[5] + d[7]
        self.session = (d[4] - 1) % 4 + 1 if d[4] > 0 else 0
        self.boards = 36 if d[4] > 4 else 24


class Generator:
    def __init__(self, s):
        v = int16(2 * (372 * s.year + 31 * (s.month - 1) + s.day) + 1)
        x = v if v < 0 else v - 32768
        self.state = struct.unpack(">I", struct.pack(">f", float(x)))[0]
        self.step()
        skip = int16((s.session - 1) * 10000 + s.deal_offset)
        for _ in range(max(skip, 0)):
            self.step()

    def step(self):
        self.state = (self.state * 134775813 + 1) & 0xFFFFFFFF

    def draw(self, n):
        self.step()
        return ((self.state >> 1) * (n + 1)) >> 31


def deal_board(gen):
    """The four hands of the next board: for each seat, four suits of rank
    indices; dealt again while East's and West's longest suits hold more than
    22 cards together."""
    while True:
        hands = [[[] for _ in range(4)] for _ in range(4)]
        deck = list(range(52))
        n = 52
        for _ in range(13):
            for seat in range(4):
                n -= 1
                p = gen.draw(n)
                card = deck[p]
                deck[p] = deck[n]
                hands[seat][card // 13].append(card % 13)
        if max(map(len, hands[EAST])) + max(map(len, hands[WEST])) <= 22:
            return hands


def hand_line(hand):
    return "".join(("".join(RANKS[r] for r in sorted(suit)) or "--") + " " for suit in hand)


def deals(text):
    s = Set(text)
    gen = Generator(s)
    return [deal_board(gen) for _ in range(s.boards)]


def file_name(text):
    s = Set(text)
    return "%s-%02d-%s.txt" % (MONTH_NAME[s.month - 1][:3], s.day, SESSION_LETTER[s.session])


def archive_bytes(text):
    s = Set(text)
    dash = "-" * 79
    # The set's record holds no calendar year: nothing stands after the
    # comma and its blank.
    lines = [dash, "-- " + " " * 8 + "%s %d, " % (MONTH_NAME[s.month - 1], s.day) + " " * 5 +
             SESSION_NAME[s.session], dash, ""]
    for b, hands in enumerate(deals(text), 1):
        lines.append(("Deal: %d" % b).ljust(39) + hand_line(hands[NORTH]))
        lines.append("Contract: 4H-South".ljust(22) + hand_line(hands[WEST]).ljust(34)
                     + hand_line(hands[EAST]))
        lines.append("OnLead: West".ljust(39) + hand_line(hands[SOUTH]))
        lines += ["Lead: Any", "", ""]
    return "".join(line + "\r\n" for line in lines).encode("ascii")


def check():
    """What this model gets wrong about the known values; empty when right."""
    wrong = []

    def same(what, got, want):
        if got != want:
            wrong.append("%s: %r, expected %r" % (what, got, want))

    s = Set("123456789X")
    same("123456789X", (s.day_number, s.year, s.month, s.day, s.deal_offset, s.session, s.boards),
         (9731, 27, 8, 23, 2468, 1, 36))
    for day, want in [(1, (1, 1, 1)), (59, (1, 2, 28)), (60, (1, 3, 1)), (365, (2, 1, 0)), (1155, (4, 2, 29)),
                      (1460, (5, 1, 0)), (1461, (5, 1, 1)), (9999, (28, 5, 17))]:
        same("day %d" % day, decode_day(day), want)
    same("state of 1000100006", Generator(Set(EXAMPLE_A)).state, 0x308AD201)
    same("state of 0102230455", Generator(Set(EXAMPLE_B)).state, 0x8EA835BF)
    for text, boards in HANDS.items():
        dealt = deals(text)
        for b, want in boards.items():
            same("%s board %d" % (text, b), tuple(hand_line(h).rstrip(" ") for h in dealt[b - 1]), want)
    same("name of 1000100006", file_name(EXAMPLE_A), "Jan-01-M.txt")
    same("name of 0102230455", file_name(EXAMPLE_B), "Sep-09-A.txt")
    text = archive_bytes(EXAMPLE_A).decode("ascii").split("\r\n")
    same("lines of a 24-board file", len(text), 4 + 6 * 24 + 1)
    same("board 1", text[4:10], BOARD_ONE_ARCHIVE_LINES)
    same("board 3, West with a void", text[17][:56].rstrip(" "), "Contract: 4H-South    974 AQ8643 -- K986")
    same("lines of a 36-board file", archive_bytes("123456789X").count(b"\r\n"), 4 + 6 * 36)
    return wrong


def main(argv):
    if argv[1:] == ["--check"]:
        wrong = check()
        print("\n".join(wrong) if wrong else "the model gives the known deals")
        return 1 if wrong else 0
    if len(argv) != 3:
        print(__doc__)
        return 2
    with open(argv[2], "wb") as f:
        f.write(archive_bytes(argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
