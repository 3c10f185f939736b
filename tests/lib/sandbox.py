"""A place of its own for each run of the program: a current folder, settings
(KVELD.INI), and a Wine prefix whose drives are folders of the place, linked
in through its dosdevices folder, so that no drive of this machine is reached.
"""
import os
import shutil
import tempfile

SETTINGS = b"DeepFinesseDirectory=C:\\DF\r\nExecutableFile=DF.EXE\r\n"
SYSTEM_PATH = "/usr/bin:/bin"  # the system's programs only: no sound player of the user's


def link_drive(wine_prefix, letter, folder):
    """Makes `folder` drive `letter` of the Wine prefix; fails if the letter is
    taken. Returns the link."""
    devices = os.path.join(wine_prefix, "dosdevices")
    os.makedirs(devices, exist_ok=True)
    link = os.path.join(devices, letter.lower() + ":")
    os.symlink(folder, link)
    return link


class Sandbox:
    """root/work is the program's current folder, holding `settings` as
    KVELD.INI (none when None); root/wine is the Wine prefix, with no drive
    until one is added."""

    def __init__(self, settings=SETTINGS, prefix="kveld-"):
        self.root = tempfile.mkdtemp(prefix=prefix)
        self.cwd = os.path.join(self.root, "work")
        self.ini = os.path.join(self.cwd, "KVELD.INI")
        self.wine_prefix = os.path.join(self.root, "wine")
        os.makedirs(self.cwd)
        if settings is not None:
            write(self.ini, settings)
        self.env = {"WINEPREFIX": self.wine_prefix}

    def add_drive(self, letter="c"):
        """An empty folder root/drive_LETTER as that drive; returns its path."""
        drive = os.path.join(self.root, "drive_" + letter.lower())
        os.makedirs(drive)
        link_drive(self.wine_prefix, letter, drive)
        return drive

    def install_deepfinesse(self, drive, folder="DF", archive="DEALAR~1"):
        """A DeepFinesse folder on `drive` with its (empty) archive folder;
        returns the archive folder's path."""
        path = os.path.join(drive, folder, archive)
        os.makedirs(path)
        return path

    def start(self, program, rows=25, columns=80, args=(), env=None, stderr=None):
        """The program in a pseudo-terminal of its own, in this place; see
        PtyTerminal for `stderr`."""
        from pty_terminal import PtyTerminal  # only the terminal tests need pyte
        return PtyTerminal([program] + list(args), rows, columns, cwd=self.cwd,
                           env=dict(self.env, **(env or {})), stderr=stderr)

    def close(self):
        shutil.rmtree(self.root, ignore_errors=True)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def content(path):
    with open(path, "rb") as f:
        return f.read()
