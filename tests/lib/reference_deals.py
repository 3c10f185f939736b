"""The hand records the tests hold the program against, written once as the
records print them: each board's hands as North, East, South, West, each
hand its suits from spades to clubs, "--" for a void."""

EXAMPLE_A = "1000100006"  # the worked example: January 1, Morning, 24 boards
EXAMPLE_B = "0102230455"  # September 9, Afternoon

SEATS = ("North", "East", "South", "West")

HANDS = {
    EXAMPLE_A: {
        1: ("98 T63 J432 9632", "A7653 A92 K87 KQ", "QJ42 Q75 5 AT754", "KT KJ84 AQT96 J8"),
        2: ("T743 A65 983 Q32", "K2 KQ42 QJT7 865", "9865 JT9 642 KJT", "AQJ 873 AK5 A974"),
        3: ("KJ8 KJ5 KQJT95 5", "Q63 97 A763 A732", "AT52 T2 842 QJT4", "974 AQ8643 -- K986"),
        24: ("QT9 76 KJT74 A98", "A8532 AQT52 98 K", "J7 KJ984 A QT763", "K64 3 Q6532 J542"),
    },
    EXAMPLE_B: {
        1: ("AK763 KJ5 QT T97", "Q8 AT7 J9753 865", "JT54 Q9832 A QJ2", "92 64 K8642 AK43"),
    },
}


def hand(seat, board=1, control=EXAMPLE_A):
    """A seat's hand ("North", ...): its holdings with a blank between."""
    return HANDS[control][board][SEATS.index(seat)]


def holdings(seat, board=1, control=EXAMPLE_A):
    """A seat's four holdings, spades first."""
    return hand(seat, board, control).split(" ")


# Board 1 of the worked example as the lines of its archive file (without
# their CR LF), the blanks counted as the file holds them.
BOARD_ONE_ARCHIVE_LINES = [
    "Deal: 1" + " " * 32 + hand("North") + " ",
    "Contract: 4H-South" + " " * 4 + hand("West") + " " + " " * 17 + hand("East") + " ",
    "OnLead: West" + " " * 27 + hand("South") + " ",
    "Lead: Any", "", "",
]


def suit_line(seat, suit, board=1, control=EXAMPLE_A):
    """A seat's holding in one suit (0 spades .. 3 clubs) as a diagram
    prints it, after the suit's letter: "S 98"."""
    return "SHDC"[suit] + " " + holdings(seat, board, control)[suit]
