"""A program in a pseudo-terminal of 80 x 25, its output read back through a
terminal emulator (pyte), every wait limited in time."""
import os
import sys
import time

import pexpect
import pyte

ROWS, COLUMNS = 25, 80
STEP_TIMEOUT = 20  # seconds for any one screen to appear


class Terminal:
    def __init__(self, command, args, cwd):
        self.screen = pyte.Screen(COLUMNS, ROWS)
        self.stream = pyte.ByteStream(self.screen)
        env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8")
        self.child = pexpect.spawn(command, args, cwd=cwd, env=env, dimensions=(ROWS, COLUMNS))
        self.ended = False

    def pump(self, seconds):
        try:
            data = self.child.read_nonblocking(65536, timeout=seconds)
            self.stream.feed(data)
            return True
        except pexpect.TIMEOUT:
            return False
        except pexpect.EOF:
            self.ended = True
            return False

    def text(self, row, column, length):
        """The text of `length` cells from (column, row), both counted from 1."""
        return self.screen.display[row - 1][column - 1:column - 1 + length]

    def dump(self):
        return "\n".join("%2d|%s" % (i + 1, line) for i, line in enumerate(self.screen.display))

    def wait_for(self, what, row=None, column=None, timeout=STEP_TIMEOUT):
        """Waits until `what` stands at (column, row), or anywhere, and the
        screen has been quiet for a moment (so the program waits for a key)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.shows(what, row, column):
                while self.pump(0.3):
                    pass
                if self.shows(what, row, column):
                    return
            elif not self.pump(0.1) and self.ended:
                break
        fail("waited in vain for %r at row %s, column %s; the screen:\n%s" % (what, row, column, self.dump()))

    def shows(self, what, row, column):
        if row is None:
            return any(what in line for line in self.screen.display)
        return self.text(row, column, len(what)) == what

    def press(self, keys):
        self.child.send(keys)

    def wait_end(self, timeout=STEP_TIMEOUT):
        deadline = time.monotonic() + timeout
        while not self.ended and time.monotonic() < deadline:
            self.pump(0.2)
        if not self.ended:
            fail("the program did not end; the screen:\n" + self.dump())
        self.child.close()
        return self.child.exitstatus


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)
