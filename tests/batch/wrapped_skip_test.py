"""The late session of a day with a deal offset past 2767: the generator's
skip count, (session - 1) x 10000 + offset, runs past 16 bits and wraps to a
negative number, so that nothing is skipped and the set deals the boards of
the day's first session at offset 0. kveld-batch, as a user runs it.

Programs: kveld-batch.
"""
import subprocess
import unittest

import programs

FIRST_SESSION = "1000500004"  # January 1, Morning, offset 0, 36 boards
LATE_WRAPPED = "1207860808"   # January 1, Late, offset 2768: skip 32768
LATE_LAST = "1207860700"      # January 1, Late, offset 2767: skip 32767


def boards(control):
    """The archive file's lines below its heading: the boards alone."""
    out = subprocess.run([programs.path("kveld-batch"), control], check=True, capture_output=True,
                         timeout=60).stdout
    lines = out.split(b"\r\n")
    return lines[3:]


class WrappedSkip(unittest.TestCase):
    def test_late_session_past_the_sixteen_bits_deals_the_first_sessions_boards(self):
        first = boards(FIRST_SESSION)
        self.assertEqual(sum(line.startswith(b"Deal: ") for line in first), 36)
        self.assertEqual(boards(LATE_WRAPPED), first)
        self.assertNotEqual(boards(LATE_LAST)[:6], first[:6])


if __name__ == "__main__":
    unittest.main()
