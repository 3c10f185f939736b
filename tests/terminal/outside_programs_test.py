"""Other programs started from the program: they get the terminal as a shell
would hand it to them, and it is taken back afterwards; without a program
that opens the manual, H beeps.

Programs: kveld.
"""
import errno
import os
import stat

import programs
from sandbox import SYSTEM_PATH, Sandbox, content, write
from screen_checks import ScreenTestCase

# A stand-in for DeepFinesse, or for the program that opens the manual: it
# notes the terminal's modes, as it finds them, in the file named below, and
# writes over the screen.
RECORDER = b"""#!/bin/sh
stty -a < /dev/tty > "%s"
printf 'A PROGRAM OF ITS OWN\\n' > /dev/tty
"""


def executable(path, text):
    write(path, text)
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)


def cooked(modes):
    """Whether `stty -a` shows the modes a shell gives a program it starts."""
    words = modes.split()
    return all(w in words for w in ("icanon", "echo", "isig", "icrnl", "opost"))


def to_the_second_question(t):
    """One set, from the control string to "Run Deep Finesse Now?"."""
    t.wait_for(lambda: "Enter DF control string:" in t.screen.display[4], "the control string prompt")
    t.send(b"1000100006\r")
    t.wait_for(lambda: "Does this deal match Board #1" in t.screen.display[21], "the Board 1 question")
    t.send(b"\r")
    t.wait_for(lambda: "DONE.  Enter another set?  (y/N)" in t.screen.display[16],
               "the end of the set", seconds=15)
    t.send(b"\r")
    t.wait_for(lambda: "Run Deep Finesse Now?  (Y/n)" in t.screen.display[19], "the second question")


class HandingOver(ScreenTestCase):
    def test_deepfinesse_gets_the_terminal_as_it_was(self):
        place = Sandbox(prefix="kveld-handover-")
        drive = place.add_drive("c")
        place.install_deepfinesse(drive)
        modes = os.path.join(place.root, "modes")
        executable(os.path.join(drive, "DF", "DF.EXE"), RECORDER % modes.encode())
        place.env["PATH"] = SYSTEM_PATH
        with self.start(place, programs.path("kveld")) as t:
            to_the_second_question(t)
            t.send(b"y")
            self.assertEqual(t.wait_exit(), 0)
            self.assertEqual(t.modes(), t.modes_before)
        found = content(modes).decode()
        self.assertTrue(cooked(found), found)

    def test_the_manual_opener_gets_the_terminal_and_gives_it_back(self):
        place = Sandbox(prefix="kveld-handover-")
        bin_folder = os.path.join(place.root, "bin")
        os.makedirs(bin_folder)
        modes = os.path.join(place.root, "modes")
        executable(os.path.join(bin_folder, "xdg-open"), RECORDER % modes.encode())
        place.env["PATH"] = bin_folder + ":" + SYSTEM_PATH
        with self.start(place, programs.path("kveld")) as t:
            t.wait_for(lambda: "Enter DF control string:" in t.screen.display[4], "the control string prompt")
            t.pump(0.3)
            before = t.screen.cells()
            t.send(b"h")
            t.wait_for(lambda: os.path.exists(modes) and os.path.getsize(modes) > 0, "the opener's start")
            t.wait_for(lambda: t.screen.cells() == before, "the screen shown again whole")
            self.assertNotIn("A PROGRAM OF ITS OWN", "".join(t.screen.display))
            t.send(b"1")  # raw again: the key is read at once, and not echoed by the terminal
            t.wait_for(lambda: t.screen.text(39, 5, 1) == "1", "the digit typed")
            self.assertNotEqual(t.modes(), t.modes_before)
            self.assertEqual(t.quit_with_esc(), 0)
        found = content(modes).decode()
        self.assertTrue(cooked(found), found)


class NoManualOpener(ScreenTestCase):
    def test_h_without_a_program_to_open_the_manual_beeps(self):
        place = Sandbox(prefix="kveld-manual-")
        empty = os.path.join(place.root, "bin")
        os.makedirs(empty)
        place.env["PATH"] = empty  # no xdg-open, and no sound player: the bell
        with self.start(place, programs.path("kveld")) as t:
            t.wait_for(lambda: "Enter DF control string:" in t.screen.display[4], "the control string prompt")
            t.pump(0.3)
            before = t.screen.cells()
            bells = t.screen.bells
            t.send(b"h")
            t.wait_for(lambda: t.screen.bells > bells, "the beep")
            t.pump(0.3)
            self.assertEqual(t.screen.bells, bells + 1)
            self.assertEqual(t.screen.cells(), before)
            t.send(b"1")  # the prompt goes on as it was
            t.wait_for(lambda: t.screen.text(39, 5, 1) == "1", "the digit typed")


class DeepFinesseNotStarted(ScreenTestCase):
    def test_the_restored_terminal_is_told_which_file_and_why(self):
        for program, path, reason in [(None, SYSTEM_PATH, os.strerror(errno.ENOENT)),  # DF.EXE, PATH
                                      (b"#!/bin/sh\n", SYSTEM_PATH, os.strerror(errno.EACCES)),
                                      (b"MZ", "/nonexistent", "wine")]:
            with self.subTest(reason=reason):
                place = Sandbox(prefix="kveld-unstarted-")
                drive = place.add_drive("c")
                place.install_deepfinesse(drive)
                df = os.path.join(drive, "DF", "DF.EXE")
                if program:
                    write(df, program)  # not executable
                place.env["PATH"] = path
                with open(os.path.join(place.root, "stderr"), "wb") as errors, \
                        self.start(place, programs.path("kveld"), stderr=errors) as t:
                    to_the_second_question(t)
                    t.send(b"\r")
                    self.assertEqual(t.wait_exit(), 0)
                    self.assertEqual(t.modes(), t.modes_before)
                    said = content(errors.name).decode()
                named = [w for w in said.replace(": ", " ").split() if w.endswith("DF.EXE")]
                self.assertEqual([os.path.realpath(w) for w in named], [os.path.realpath(df)], said)
                self.assertIn(reason, said)
