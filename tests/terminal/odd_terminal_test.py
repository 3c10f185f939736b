"""The program and its console device where things are less usual: terminals
too small, on a slow link, or in a locale that is not UTF-8, and a sound
player that has ended.

Programs: kveld, probe (terminal_probe.cpp).
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from terminal_test import ProbeTestCase, ProgramTestCase, title_drawn  # noqa: E402

ASK_FOR_80_BY_25 = b"\x1b[8;25;80t"
NOTE = "at least 80 x 25"


def note_shown(t):
    return lambda: NOTE in "".join(t.screen.display)


class SmallTerminal(ProgramTestCase):
    """A terminal smaller than 80 x 25 (80 x 24 is the default of most) is
    asked to become 80 x 25; until it is, a note asks the user to make it so,
    and Esc or Q end the program there."""

    def quit(self, t):
        t.pump(0.3)
        self.assertEqual(t.quit_with_esc(), 0)
        self.assertEqual(t.modes(), t.modes_before)

    def test_a_terminal_that_obeys_the_request(self):
        with self.start_program(24, 80) as t:
            t.wait_for(lambda: ASK_FOR_80_BY_25 in t.raw, "the request for 80 x 25")
            t.resize(25, 80)  # as xterm does on that request
            t.wait_for(title_drawn(t), "the title screen")
            self.assertNotIn(NOTE.encode(), t.raw)
            self.quit(t)

    def test_note_until_the_user_makes_the_terminal_larger(self):
        for rows, columns in ((24, 80), (25, 79), (10, 40)):
            with self.subTest(size=(columns, rows)), self.start_program(rows, columns) as t:
                t.wait_for(note_shown(t), "the note on size")
                self.assertIn(ASK_FOR_80_BY_25, t.raw.split(NOTE.encode())[0])
                t.send(b"x\r")  # other keys change nothing
                t.pump(0.3)
                self.assertIsNone(t.process.poll())
                t.resize(24, 90)  # still too low
                t.pump(0.3)
                self.assertNotIn("KVELD CONVERTER", "".join(t.screen.display))
                t.resize(30, 100)
                t.wait_for(title_drawn(t), "the title screen")
                self.quit(t)

    def test_esc_or_q_at_the_note_end_the_program(self):
        for key in (b"\x1b", b"q", b"Q"):
            with self.subTest(key=key), self.start_program(24, 80) as t:
                t.wait_for(note_shown(t), "the note on size")
                t.send(key)
                self.assertEqual(t.wait_exit(), 0)
                self.assertEqual(t.modes(), t.modes_before)
                self.assertFalse(t.screen.cursor.hidden)
                self.assertNotIn("KVELD CONVERTER", "".join(t.screen.display))


class SlowLink(ProbeTestCase):
    def test_an_arrow_key_split_by_a_slow_link(self):
        # The rest of a sequence that follows its Esc 80 ms later still
        # belongs to it.
        self.assert_split_arrow_read_whole(0.08)


class Locale(ProgramTestCase):
    """Where the locale's character set is not UTF-8 the terminal is sent
    ASCII only; with UTF-8, or no locale set at all, the glyphs as UTF-8."""

    def title_screen(self, env):
        with self.start_program(env=dict({"LC_ALL": None, "LC_CTYPE": None, "LANG": None}, **env)) as t:
            t.wait_for(lambda: "KVELD CONVERTER" in t.screen.display[1], "the title screen")
            t.pump(0.3)
            return t.raw, t.screen.display

    def test_ascii_where_the_locale_is_not_utf8(self):
        for env in ({"LANG": "C"}, {"LC_ALL": "POSIX", "LANG": "C.UTF-8"}, {"LC_CTYPE": "de_DE.ISO-8859-1"}):
            with self.subTest(env=env):
                raw, display = self.title_screen(env)
                self.assertEqual(sum(1 for b in raw if b >= 0x80), 0, "bytes beyond ASCII written")
                self.assertEqual(display[0][:5], "  +==")
                self.assertEqual(display[1][2], "|")
                self.assertEqual(display[1][6:17], "S  H  D  C ")
                self.assertEqual(display[2][2:4], "+=")

    def test_utf8_where_the_locale_says_so_or_nothing_is_said(self):
        for env in ({"LANG": "C.UTF-8"}, {"LC_ALL": "en_US.utf8", "LANG": "C"}, {}):
            with self.subTest(env=env):
                raw, display = self.title_screen(env)
                self.assertEqual(display[0][:4], "  \u2554\u2550")
                self.assertEqual(display[1][6:17], "\u2660  \u2665  \u2666  \u2663 ")



def zombie_children(pid):
    """The ids of the processes that `pid` started and has not waited for."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if fields[0] == "Z" and int(fields[1]) == pid:
            found.append(int(entry))
    return found


class SoundPlayer(ProbeTestCase):
    def test_a_player_that_has_ended_is_waited_for(self):
        p, _ = self.play_through_player('cat > "%s"')
        # The player has had its sound and ended; the probe waits for a key.
        deadline = time.monotonic() + 3
        while zombie_children(p.t.process.pid) and time.monotonic() < deadline:
            p.t.pump(0.1)
        self.assertEqual(zombie_children(p.t.process.pid), [])
        self.assertEqual(p.key(b"k"), "6b")
