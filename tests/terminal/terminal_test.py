"""The program, and a probe of its console device, in real pseudo-terminals.

Programs: kveld, probe (terminal_probe.cpp).
"""
import os
import signal
import subprocess
import tempfile
import time
import unittest

import programs
from pty_terminal import CONSOLE_COLOUR, PtyTerminal
from sandbox import SYSTEM_PATH, Sandbox
from screen_checks import ScreenTestCase

FRAME_FG, BLUE = CONSOLE_COLOUR[8], CONSOLE_COLOUR[1]
SUITS = "\u2660  \u2665  \u2666  \u2663 "
H74 = "\u2550" * 74
ALT_SCREEN = (b"\x1b[?1049h", b"\x1b[?1047h", b"\x1b[?47h")


class ProgramTestCase(ScreenTestCase):
    """The program in a sandbox with valid settings and no drive at all."""

    def sandbox(self):
        sandbox = Sandbox(prefix="kveld-term-")
        self.addCleanup(sandbox.close)
        return sandbox

    def start_program(self, rows=25, columns=80, env=None):
        return self.start(Sandbox(prefix="kveld-term-"), programs.path("kveld"), rows=rows, columns=columns,
                          env=env)


def title_drawn(t):
    return lambda: "KVELD CONVERTER" in t.screen.display[1] and "\u255d" in t.screen.display[23]


class TitleScreen(ProgramTestCase):
    def expect(self, cells, column, row, text, fg, bg=BLUE):
        self.expect_cells(cells, column, row, text, fg, bg, blanks_any_fg=True, not_bold=True)

    def check_title_screen(self, cells):
        self.expect(cells, 1, 1, "  \u2554" + H74 + "\u2557  ", FRAME_FG)
        self.expect(cells, 1, 3, "  \u2560" + H74 + "\u2563  ", FRAME_FG)
        self.expect(cells, 1, 24, "  \u255a" + H74 + "\u255d  ", FRAME_FG)
        for row in [2] + list(range(4, 24)):
            self.expect(cells, 1, row, "  \u2551", FRAME_FG)
            self.expect(cells, 78, row, "\u2551  ", FRAME_FG)
        self.expect(cells, 4, 2, "   ", None)
        self.expect(cells, 7, 2, SUITS, CONSOLE_COLOUR[12])
        self.expect(cells, 18, 2, "  ", None)
        self.expect(cells, 20, 2, "Pemwick's", CONSOLE_COLOUR[6])
        self.expect(cells, 29, 2, "  KVELD CONVERTER", CONSOLE_COLOUR[10])
        self.expect(cells, 46, 2, " " * 19, None)
        self.expect(cells, 65, 2, SUITS, CONSOLE_COLOUR[12])
        self.expect(cells, 76, 2, "  ", None)
        self.expect(cells, 1, 25, " " * 80, None)

    def shown(self, t):
        """The program's screen; it waits for a control string meanwhile."""
        self.assertIsNone(t.process.poll(), "the program ended after the title screen")
        return t.screen.cells()

    def test_title_screen(self):
        with self.start_program() as t:
            t.wait_for(title_drawn(t), "the title screen")
            t.pump(0.3)
            self.check_title_screen(self.shown(t))
            self.assertEqual(t.screen.title, "Kveld Archive")
            self.assertFalse(t.screen.bold_requested)
            for alt in ALT_SCREEN:
                self.assertNotIn(alt, t.raw)

    def test_larger_terminal_uses_the_top_left(self):
        with self.start_program(30, 100) as t:
            t.wait_for(title_drawn(t), "the title screen")
            t.pump(0.3)
            cells = self.shown(t)
            self.check_title_screen(cells)
            for row in range(30):
                for column in range(100):
                    if row >= 25 or column >= 80:
                        c = cells[row][column]
                        self.assertEqual((c.data, c.bg), (" ", "default"), (column + 1, row + 1))


class Restoring(ProgramTestCase):
    def assert_given_back(self, t):
        self.assertEqual(t.modes(), t.modes_before)
        self.assertFalse(t.screen.cursor.hidden)
        self.assertEqual((t.screen.cursor.attrs.fg, t.screen.cursor.attrs.bg), ("default", "default"))

    def test_normal_end(self):
        with self.start_program() as t:
            t.wait_for(title_drawn(t), "the title screen")
            t.pump(0.3)  # it waits for a control string: Esc, then yes to quitting
            self.assertEqual(t.quit_with_esc(), 0)
            self.assert_given_back(t)
            # The program's last screen stays (rows 1 to 24 as they were when
            # it gave the terminal back); what follows starts on row 25.
            last = t.screen.before_reset
            self.assertIsNotNone(last)
            self.assertEqual(t.screen.cells()[:24], last[:24])
            self.assertEqual(t.screen.cells()[1][30].bg, BLUE)
            self.assertEqual((t.screen.cursor.x, t.screen.cursor.y), (0, 24))


class Refusing(ProgramTestCase):
    """Without a terminal for input and output the program says so in one
    line on standard error and ends with a nonzero code, drawing nothing."""

    def assert_one_message(self, text):
        lines = text.decode().splitlines()
        self.assertEqual(len(lines), 1, text)
        self.assertTrue(lines[0].startswith("kveld: ") and len(lines[0]) > 10, text)
        self.assertNotIn("\x1b", lines[0])

    def test_not_a_terminal(self):
        folder = self.sandbox()
        r = subprocess.run([programs.path("kveld")], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, cwd=folder.cwd, env=dict(os.environ, **folder.env),
                           timeout=10)
        self.assertNotEqual(r.returncode, 0)
        self.assertEqual(r.stdout, b"")
        self.assert_one_message(r.stderr)

    def run_half_attached(self, t, **streams):
        """The program with one of its standard streams on the terminal `t`."""
        folder = self.sandbox()
        r = subprocess.run([programs.path("kveld")], stderr=subprocess.PIPE, cwd=folder.cwd,
                           env=dict(os.environ, **folder.env), timeout=10, **streams)
        t.pump(0.2)
        self.assertNotEqual(r.returncode, 0)
        self.assert_one_message(r.stderr)
        self.assertEqual(t.raw, b"")
        return r

    def test_output_not_a_terminal(self):
        with PtyTerminal(None) as t:
            r = self.run_half_attached(t, stdin=t.slave, stdout=subprocess.PIPE)
            self.assertEqual(r.stdout, b"")
            self.assertEqual(t.modes(), t.modes_before)

    def test_input_not_a_terminal(self):
        with PtyTerminal(None) as t:
            self.run_half_attached(t, stdin=subprocess.DEVNULL, stdout=t.slave)

def probe_pattern(column, row):
    """The cell the probe shows at (column, row), rows 2 to 25."""
    attr = (column * 7 + row * 3) % 256
    return chr(ord("A") + (column + row) % 26), CONSOLE_COLOUR[attr & 15], CONSOLE_COLOUR[attr >> 4]


class Probe:
    """The console device alone, in a pseudo-terminal: see terminal_probe.cpp."""

    def __init__(self, rows=25, columns=80, env=None):
        self.folder = tempfile.TemporaryDirectory(prefix="kveld-probe-")
        self.log = os.path.join(self.folder.name, "keys")
        environment = {"PATH": self.folder.name}  # no sound player: the bell
        environment.update(env or {})
        self.t = PtyTerminal([programs.path("probe"), self.log], rows, columns, cwd=self.folder.name,
                             env=environment)
        self.t.wait_for(lambda: self.t.screen.display[0].startswith("ready"), "the probe's screen")

    def keys(self):
        try:
            with open(self.log) as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def key(self, data, seconds=5):
        """Types `data` and returns the key the probe read."""
        before = len(self.keys())
        self.t.send(data)
        self.t.wait_for(lambda: len(self.keys()) > before, "a key", seconds)
        return self.keys()[before]

    def wait_keys(self, count):
        self.t.wait_for(lambda: len(self.keys()) >= count, "%d keys" % count)
        return self.keys()

    def pattern_shown(self):
        s = self.t.screen
        for row in range(2, 26):
            for column in range(1, 81):
                c = s.cell(column, row)
                if (c.data, c.fg, c.bg) != probe_pattern(column, row):
                    return False
        return True

    def close(self):
        self.t.close()
        self.folder.cleanup()


class ProbeTestCase(unittest.TestCase):
    def start(self, **kwargs):
        p = Probe(**kwargs)
        self.addCleanup(p.close)
        return p

    def play_through_player(self, script):
        """Starts the probe with a stand-in for aplay (a shell line, %s the
        file it may write) and an audio output, plays one sound and waits
        until the player has had it. The probe and that file's path."""
        folder = tempfile.TemporaryDirectory(prefix="kveld-sound-")
        self.addCleanup(folder.cleanup)
        played = os.path.join(folder.name, "played")
        player = os.path.join(folder.name, "aplay")
        with open(player, "w") as f:
            f.write("#!/bin/sh\n" + script % played + "\n")
        os.chmod(player, 0o755)
        os.makedirs(os.path.join(folder.name, "pulse"))
        open(os.path.join(folder.name, "pulse", "native"), "w").close()
        p = self.start(env={"PATH": folder.name + ":/usr/bin:/bin", "XDG_RUNTIME_DIR": folder.name})
        p.key(b"s")
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and not (os.path.exists(played) and os.path.getsize(played) > 1000):
            time.sleep(0.05)
        return p, played

    def assert_split_arrow_read_whole(self, delay):
        # The up arrow sent as Esc and, `delay` seconds later, the rest of its
        # sequence is still one key. (A machine too busy to send the second
        # part within the Esc wait splits it rightly, so a few tries are
        # allowed.)
        p = self.start()
        for _ in range(3):
            before = len(p.keys())
            p.t.send(b"\x1b")
            time.sleep(delay)
            p.t.send(b"[A")
            time.sleep(0.3)
            got = p.wait_keys(before + 1)[before:]
            if got == ["00 48"]:
                return
        self.fail("Esc and, %d ms later, [A read as %s" % (round(delay * 1000), got))


class Keys(ProbeTestCase):
    # Bytes as xterm, the Linux console and tmux send them, and the key read.
    CASES = [
        (b"\x1b[A", "00 48"), (b"\x1bOB", "00 50"), (b"\x1b[1;5C", "00 4d"), (b"\x1b[D", "00 4b"),
        (b"\x1b[H", "00 47"), (b"\x1bOF", "00 4f"), (b"\x1b[1~", "00 47"), (b"\x1b[4~", "00 4f"),
        (b"\x1b[5~", "00 49"), (b"\x1b[6~", "00 51"), (b"\x1b[2~", "00 52"), (b"\x1b[3~", "00 53"),
        (b"\x1bOP", "00 3b"), (b"\x1b[[A", "00 3b"), (b"\x1b[[E", "00 3f"), (b"\x1b[15~", "00 3f"),
        (b"\x1b[21~", "00 44"), (b"\x1b[23~", "00 85"), (b"\x1b[24;5~", "00 86"), (b"\x1b[99~", "00 00"),
        (b"\r", "0d"), (b"\x03", "03"), (b"\x1c", "1c"), (b"\x1a", "1a"), (b"\x11", "11"),
        (b"\x13", "13"), (b"\x16", "16"), (b"\x0f", "0f"), (b"\x7f", "08"), (b"\x08", "08"),
        (b"\xc3\xa9", "82"), (b"y", "79"),
    ]

    def test_keys_arrive_decoded_and_raw(self):
        p = self.start()
        for data, key in self.CASES:
            self.assertEqual(p.key(data), key, data)
            p.t.wait_for(lambda: p.t.screen.display[0].startswith("key " + key + " "), "the key shown")
        self.assertEqual(p.key(b"\x1b"), "1b")  # a lone Esc, after the short wait
        self.assertTrue(p.pattern_shown())  # nothing echoed
        self.assertEqual(p.t.screen.title, "Kveld probe")
        self.assertEqual((p.t.screen.cursor.x, p.t.screen.cursor.y, p.t.screen.cursor.hidden), (9, 11, False))
        self.assertNotEqual(p.t.modes(), p.t.modes_before)

    def test_sequence_in_two_parts(self):
        # A terminal's escape sequence can reach the program in two reads;
        # shortly after an Esc more of it is still waited for.
        self.assert_split_arrow_read_whole(0.005)

    def test_typed_ahead_keys_keep_their_order(self):
        p = self.start()
        p.t.send(b"ab\x1b[Ac\x1bOQ\x1b[3~d")
        self.assertEqual(p.wait_keys(7), ["61", "62", "00 48", "63", "00 3c", "00 53", "64"])

    def test_pause_keeps_keys(self):
        p = self.start()
        self.assertEqual(p.key(b"p"), "70")
        p.t.send(b"z")  # while the probe pauses
        self.assertEqual(p.wait_keys(2), ["70", "7a"])

    def test_flush_discards_pending_keys(self):
        p = self.start()
        self.assertEqual(p.key(b"f"), "66")
        p.t.send(b"z")  # during the pause before the flush
        p.t.pump(0.7)
        self.assertEqual(p.key(b"w"), "77")
        p.t.send(b"fz")  # read together: the z is already in the probe's buffer
        p.t.pump(0.7)
        self.assertEqual(p.key(b"v"), "76")
        self.assertEqual(p.keys(), ["66", "77", "66", "76"])


class Sound(ProbeTestCase):
    def test_no_audio_rings_the_bell(self):
        p = self.start()
        self.assertEqual(p.t.screen.bells, 0)
        p.key(b"s")
        p.t.wait_for(lambda: p.t.screen.bells == 1, "the bell")
        p.key(b"s")
        p.t.wait_for(lambda: p.t.screen.bells == 2, "the bell")

    def test_player_gets_the_sound(self):
        p, played = self.play_through_player('[ "$1 $2" = "-q -" ] && exec cat > "%s"')
        with open(played, "rb") as f:
            wave = f.read()
        self.assertEqual(wave[:4], b"RIFF")
        self.assertEqual(wave[8:12], b"WAVE")
        p.t.pump(0.2)
        self.assertEqual(p.t.screen.bells, 0)


class GivingBack(ProbeTestCase):
    def assert_given_back(self, p, row=2):
        """Modes, cursor and colours are back; the probe's last screen stays
        (from `row` on, counting from 1, once later output has scrolled it)."""
        self.assertEqual(p.t.modes(), p.t.modes_before)
        self.assertFalse(p.t.screen.cursor.hidden)
        self.assertEqual((p.t.screen.cursor.attrs.fg, p.t.screen.cursor.attrs.bg), ("default", "default"))
        self.assertEqual(p.t.screen.display[row - 1][:10],
                         "".join(probe_pattern(c, 2)[0] for c in range(1, 11)))

    def test_signals(self):
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT, signal.SIGQUIT, signal.SIGUSR1,
                    signal.SIGALRM, signal.SIGPIPE, signal.SIGRTMIN):
            with self.subTest(signal=sig.name):
                p = self.start()
                p.key(b"a")
                os.kill(p.t.process.pid, sig)
                self.assertEqual(p.t.wait_exit(), -sig)
                self.assert_given_back(p)

    def test_close_exception_destructor_terminate(self):
        for key, code in ((b"q", 0), (b"x", 3), (b"d", 0), (b"t", -signal.SIGABRT)):
            with self.subTest(key=key):
                p = self.start()
                p.t.send(key)
                self.assertEqual(p.t.wait_exit(), code)
                if key == b"t":  # the runtime's message follows the terminal's restoration, one line down
                    self.assertIn(b"\x1b[?25h", p.t.raw.split(b"terminate")[0])
                    self.assert_given_back(p, row=1)
                else:
                    self.assert_given_back(p)


    def test_signal_while_a_file_is_written(self):
        """The file being written in place of another is removed when a
        signal ends the program; the earlier file stays as it was."""
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGUSR1, signal.SIGALRM):
            with self.subTest(signal=sig.name):
                for attempt in range(5):
                    p = self.start()
                    archive = os.path.join(p.folder.name, "archive")
                    os.mkdir(archive)
                    earlier = os.path.join(archive, "Jan-01-M.txt")
                    with open(earlier, "wb") as f:
                        f.write(b"the earlier set")
                    p.t.send(b"F")
                    deadline = time.monotonic() + 10
                    while len(os.listdir(archive)) < 2 and time.monotonic() < deadline:
                        time.sleep(0.001)
                    os.kill(p.t.process.pid, sig)
                    self.assertEqual(p.t.wait_exit(), -sig)
                    with open(earlier, "rb") as f:
                        if f.read(15) != b"the earlier set":
                            continue  # the new file was in place before the signal came: again
                    self.assertEqual(os.listdir(archive), ["Jan-01-M.txt"])
                    self.assert_given_back(p)
                    break
                else:
                    self.fail("the signal never came while the file was written")


    def test_signal_during_a_pause_while_setup_holds_its_scratch_file(self):
        no_drives = tempfile.TemporaryDirectory(prefix="kveld-nodrives-")
        self.addCleanup(no_drives.cleanup)
        for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGUSR1):
            with self.subTest(signal=sig.name):
                p = self.start(env={"WINEPREFIX": no_drives.name})
                scratch = os.path.join(p.folder.name, "df_find%d" % p.t.process.pid)
                p.t.send(b"L")
                p.t.wait_for(lambda: os.path.exists(scratch), "the scratch file")
                os.kill(p.t.process.pid, sig)
                self.assertEqual(p.t.wait_exit(), -sig)
                self.assertFalse(os.path.exists(scratch))
                self.assert_given_back(p)


class Resize(ProbeTestCase):
    def test_resize_repaints_the_whole_screen(self):
        p = self.start()
        self.assertTrue(p.pattern_shown())
        p.t.screen.reset()  # forget what was shown: only a repaint brings it back
        p.t.resize(30, 100)
        p.t.wait_for(p.pattern_shown, "the repainted screen")
        p.t.resize(20, 70)
        p.t.wait_for(lambda: "at least 80 x 25" in "".join(p.t.screen.display), "the note on size")
        p.t.resize(25, 80)
        p.t.wait_for(p.pattern_shown, "the screen again")
        self.assertEqual(p.key(b"k"), "6b")  # keys typed meanwhile still arrive

    def test_resize_during_a_pause(self):
        p = self.start()
        p.key(b"P")  # a pause of 5 s: the repaint may not wait for its end
        p.t.screen.reset()
        p.t.resize(26, 81)
        p.t.wait_for(p.pattern_shown, "the repainted screen", 2.5)


class Question(ProgramTestCase):
    """Keys at the quit question, in the real program: an unaccepted key,
    an arrow or function key among them, rings (no audio here) and changes
    nothing; "n" goes back to the title screen, "y" ends the program."""

    UNACCEPTED = [b"\x1b[A", b"\x1bOB", b"\x1b[1;5D", b"\x1bOP", b"\x1b[[A", b"\x1b[24~", b"\x1b[5~",
                  b"\x1b[99~", b"x", b"\x03", b"\x7f", b"\t", b"\x1bn", b"\x1by", b"\x1bN"]  # the last: Alt keys

    def test_quit_question(self):
        with self.start_program(env={"PATH": SYSTEM_PATH}) as t:  # no sound player beside the system's
            t.wait_for(title_drawn(t), "the title screen")
            t.pump(0.5)
            self.assertIsNone(t.process.poll(), "the program ended after the title screen")
            t.send(b"\x1b")
            t.wait_for_quit_question()
            t.pump(0.3)
            before = t.screen.cells()
            bells = t.screen.bells
            for data in self.UNACCEPTED:
                t.send(data)
                bells += 1
                t.wait_for(lambda: t.screen.bells >= bells, "the bell after %r" % data)
                t.pump(0.1)
                self.assertEqual(t.screen.bells, bells, data)
                self.assertIsNone(t.process.poll())
                self.assertEqual(t.screen.cells(), before, data)
            t.send(b"n")
            t.wait_for(lambda: "Quit program?" not in t.screen.display[21], "the title screen again")
            t.pump(0.5)
            self.assertEqual(t.quit_with_esc("the quit question again"), 0)
            self.assertEqual(t.modes(), t.modes_before)

