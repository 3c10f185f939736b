"""A program in a pseudo-terminal of its own, its output read back by pyte
into a screen that keeps the console's sixteen colours apart.

Every wait has a deadline, so a program that hangs fails the test instead of
stalling it.
"""
import fcntl
import os
import pty
import resource
import select
import struct
import subprocess
import termios
import time

import pyte
from pyte import graphics

# Console colours 0..15 by the names this screen gives them: the console's
# colour bits are blue 1, green 2, red 4 and bright 8.
CONSOLE_COLOUR = ["black", "blue", "green", "cyan", "red", "magenta", "brown", "white",
                  "brightblack", "brightblue", "brightgreen", "brightcyan",
                  "brightred", "brightmagenta", "brightbrown", "brightwhite"]


class ConsoleScreen(pyte.Screen):
    """pyte's screen, keeping the bright colours (SGR 90-97, 100-107) apart
    from bold, which pyte folds them into, and counting bells and bold."""

    def __init__(self, columns, lines):
        super().__init__(columns, lines)
        self.bells = 0
        self.bold_requested = False
        self.before_reset = None  # the cells as they were when colours were last reset

    def select_graphic_rendition(self, *attrs, **kwargs):
        for attr in attrs or (0,):
            if 90 <= attr <= 97:
                name = "bright" + graphics.FG_AIXTERM[attr]
                self.cursor.attrs = self.cursor.attrs._replace(fg=name)
            elif 100 <= attr <= 107:
                name = "bright" + graphics.BG_AIXTERM[attr]
                self.cursor.attrs = self.cursor.attrs._replace(bg=name)
            else:
                self.bold_requested |= attr == 1
                if attr == 0:
                    self.before_reset = self.cells()
                super().select_graphic_rendition(attr, **kwargs)

    def bell(self, *args):
        self.bells += 1

    def text(self, column, row, length):
        """The text of `length` cells from (column, row), counted from 1."""
        line = self.buffer[row - 1]
        return "".join(line[c].data for c in range(column - 1, column - 1 + length))

    def cell(self, column, row):
        return self.buffer[row - 1][column - 1]

    def cells(self):
        """A copy of every cell, [row][column] counted from 0."""
        return [[self.buffer[r][c] for c in range(self.columns)] for r in range(self.lines)]

    def dump(self):
        return "\n".join("%2d|%s|" % (i + 1, line) for i, line in enumerate(self.display))


def set_size(fd, rows, columns):
    fcntl.ioctl(fd, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))


def _child_setup():
    # The pseudo-terminal becomes the child's controlling terminal, so that
    # resizes reach it as SIGWINCH; no core files from SIGQUIT.
    fcntl.ioctl(0, termios.TIOCSCTTY, 0)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


class PtyTerminal:
    def __init__(self, argv, rows=25, columns=80, cwd=None, env=None, term="xterm", stderr=None):
        """Starts `argv` (unless None) in a new pseudo-terminal of the given
        size; `env` holds variables to set or, with the value None, to remove;
        `stderr`, a file open for writing, gets its standard error instead."""
        self.master, self.slave = pty.openpty()
        set_size(self.slave, rows, columns)
        self.modes_before = termios.tcgetattr(self.slave)
        self.screen = ConsoleScreen(columns, rows)
        self.stream = pyte.ByteStream(self.screen)
        self.raw = b""
        # A UTF-8 locale unless a test asks for another: the program writes
        # ASCII stand-ins for its glyphs in a locale without UTF-8.
        environment = dict(os.environ, TERM=term, LC_ALL="C.UTF-8")
        for name, value in (env or {}).items():
            if value is None:
                environment.pop(name, None)
            else:
                environment[name] = value
        self.process = None
        if argv is None:
            return
        self.process = subprocess.Popen(argv, stdin=self.slave, stdout=self.slave,
                                        stderr=self.slave if stderr is None else stderr,
                                        cwd=cwd, env=environment, start_new_session=True,
                                        preexec_fn=_child_setup)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(5)
        if self.master is not None:
            os.close(self.master)
            os.close(self.slave)
            self.master = self.slave = None

    def modes(self):
        return termios.tcgetattr(self.slave)

    def pump_some(self, seconds):
        """Reads what the program writes within `seconds`, if anything;
        whether it wrote."""
        ready, _, _ = select.select([self.master], [], [], seconds)
        if not ready:
            return False
        data = os.read(self.master, 65536)
        self.raw += data
        self.stream.feed(data)
        return True

    def pump(self, seconds):
        """Reads what the program writes for up to `seconds`."""
        deadline = time.monotonic() + seconds
        while True:
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self.master], [], [], max(left, 0))
            if ready:
                data = os.read(self.master, 65536)
                self.raw += data
                self.stream.feed(data)
            elif left <= 0:
                return

    def wait_for(self, condition, what, seconds=10):
        """Waits until `condition()` holds; fails once `seconds` have passed,
        or at once when the program has ended without bringing it about."""
        deadline = time.monotonic() + seconds
        while not condition():
            if self.ended():
                self.pump(0.2)  # what it wrote last
                if condition():
                    return
                raise AssertionError("the program ended (%s) before %s; the screen:\n%s"
                                     % (self.process.returncode, what, self.screen.dump()))
            if time.monotonic() > deadline:
                raise AssertionError("timed out waiting for %s; the screen:\n%s" % (what, self.screen.dump()))
            self.pump(0.05)

    def shows(self, text, column=None, row=None):
        """Whether `text` stands at (column, row), counted from 1, or anywhere."""
        if row is None:
            return any(text in line for line in self.screen.display)
        return self.screen.text(column, row, len(text)) == text

    def wait_for_text(self, text, column=None, row=None, seconds=20):
        """Waits until `text` stands at (column, row), or anywhere, and the
        screen has been quiet for a moment, so that the program waits for a key."""
        where = "%r at column %s, row %s" % (text, column, row)
        deadline = time.monotonic() + seconds
        while True:
            self.wait_for(lambda: self.shows(text, column, row), where, max(deadline - time.monotonic(), 0))
            while self.pump_some(0.3):
                pass
            if self.shows(text, column, row):
                return

    def ended(self):
        return self.process is not None and self.process.poll() is not None

    def wait_exit(self, seconds=10):
        deadline = time.monotonic() + seconds
        while self.process.poll() is None:
            if time.monotonic() > deadline:
                raise AssertionError("the program did not end; the screen:\n" + self.screen.dump())
            self.pump(0.05)
        self.pump(0.2)  # what it wrote last
        return self.process.returncode

    QUIT_QUESTION = " Quit program?  (Y/n) "  # from column 30 of row 22

    def wait_for_quit_question(self, what="the quit question", seconds=10):
        self.wait_for(lambda: self.shows(self.QUIT_QUESTION, 30, 22), what, seconds)

    def quit_with_esc(self, what="the quit question", seconds=10):
        """Esc, then yes at the quit question; the program's exit code."""
        self.send(b"\x1b")
        self.wait_for_quit_question(what, seconds)
        self.send(b"y")
        return self.wait_exit(seconds)

    def send(self, data):
        os.write(self.master, data)

    def resize(self, rows, columns):
        set_size(self.master, rows, columns)
        self.screen.resize(rows, columns)
