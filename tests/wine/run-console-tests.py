#!/usr/bin/env python3
"""Runs the Windows build in real consoles under Wine.

Wine gives a program a console of its own only when it runs in a terminal,
so each run gets a detached tmux session of the size it needs, on a tmux
server of this runner's own. Every run has a time limit; a run that exceeds
it is killed and fails. All runs share a Wine prefix made for this runner
in a temporary folder (with a temporary home folder, to which Wine links the
user folders of drive C:), removed at the end.

  PYTHONPATH=tests/lib run-console-tests.py BUILD_DIR [SCRIPT...]

Runs, from BUILD_DIR (the MinGW build):
  - the console device tests of kveld_tests.exe, in an 80 x 25 console and
    (the refusal of a small console) in a 70 x 20 one;
  - kveld.exe driven by kveld_console_driver.exe through each script of
    tests/wine/scripts/*.script (or the scripts named), in a fresh folder
    that also holds the stand-in for DeepFinesse (standin.exe, the demo's
    dfstandin.exe, which there only notes its start) and the
    recorder that can stand in for the command interpreter (cmdrec.exe).
    The comment lines at the top of a script may hold
      "# console COLSxROWS"     another size of console;
      "# program NAME.exe"      another program of the build;
      "# drive LETTER"          that drive letter for an empty folder of its
                                own, for the script to fill;
      "# archive CONTROL"       the archive file of that control string,
                                worked out by deal_archive.py, as the file
                                CONTROL.expected in the folder.
    A script's @KVELD_CONTACT@ stands for the build's contact address (from
    its CMakeCache.txt).
    The sounds that the program starts are taken from the trace of Wine's
    sound library (the driver's expect-sounds).
"""
import glob
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

import deal_archive
from sandbox import link_drive

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
LIMIT_SECONDS = int(os.environ.get('KVELD_WINE_LIMIT', '180'))


class Tmux:
    """A tmux server of our own, so that no other session is touched."""

    def __init__(self):
        self.socket = 'kveld-wine-%d' % os.getpid()

    def run(self, *args, check=True):
        return subprocess.run(['tmux', '-L', self.socket, '-f', '/dev/null'] + list(args),
                              check=check, capture_output=True, text=True, timeout=30)

    def close(self):
        self.run('kill-server', check=False)


class WinePrefix:
    """A Wine prefix of this runner's own, never the user's: made on first
    use in a temporary folder, with a temporary home folder."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix='kveld-wineprefix-')
        self.env = {
            'WINEPREFIX': os.path.join(self.root, 'prefix'),
            'HOME': os.path.join(self.root, 'home'),
            'WINEDEBUG': '-all',
            'WINEDLLOVERRIDES': 'mscoree,mshtml=',
        }
        os.makedirs(self.env['HOME'])
        environment = dict(os.environ, **self.env)
        subprocess.run(['wine', 'cmd', '/c', 'exit'], env=environment, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=LIMIT_SECONDS,
                       check=False)
        cmd = os.path.join(self.env['WINEPREFIX'], 'drive_c', 'windows', 'system32', 'cmd.exe')
        if not os.path.exists(cmd):
            self.close()
            raise RuntimeError('Wine did not make its prefix')

    def shell_env(self, **more):
        env = dict(self.env, **more)
        return ' '.join('%s=%s' % (k, shlex.quote(v)) for k, v in env.items())

    def map_drive(self, letter, folder):
        return link_drive(self.env['WINEPREFIX'], letter, folder)

    def close(self):
        environment = dict(os.environ, **self.env)
        try:
            subprocess.run(['wineserver', '-k'], env=environment, timeout=30, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except (OSError, subprocess.TimeoutExpired):
            pass
        shutil.rmtree(self.root, ignore_errors=True)


def in_console(tmux, name, columns, rows, folder, command, limit=LIMIT_SECONDS):
    """Runs a shell command in a console of the given size; returns its exit
    code, or None when it ran out of time (then the screen is printed)."""
    rc_file = os.path.join(folder, '.exit-code')
    # The shell that tmux starts is not interactive, so wine stays in the
    # terminal's foreground process group and may use the terminal.
    shell = 'cd %s && %s; echo $? > %s' % (shlex.quote(folder), command, shlex.quote(rc_file))
    tmux.run('new-session', '-d', '-s', name, '-x', str(columns), '-y', str(rows), 'sh', '-c', shell)
    pane_pid = int(tmux.run('display-message', '-p', '-t', name, '#{pane_pid}').stdout.strip())
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if os.path.exists(rc_file) and open(rc_file).read().strip():
            return int(open(rc_file).read())
        time.sleep(0.2)
    screen = tmux.run('capture-pane', '-p', '-t', name, check=False).stdout
    print('  out of time after %d s; the terminal showed:\n%s' % (limit, screen))
    try:
        os.killpg(pane_pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    tmux.run('kill-session', '-t', name, check=False)
    return None


def gtest_counts(xml_path):
    root = ET.parse(xml_path).getroot()
    cases = list(root.iter('testcase'))
    return {
        'tests': len(cases),
        'failures': sum(1 for c in cases if c.find('failure') is not None),
        'skipped': sum(1 for c in cases if c.find('skipped') is not None or c.get('result') == 'skipped'),
        'errors': int(root.get('errors', '0')),
    }


def failure_texts(xml_path):
    root = ET.parse(xml_path).getroot()
    out = []
    for case in root.iter('testcase'):
        for failure in case.findall('failure'):
            out.append('%s.%s: %s' % (case.get('classname'), case.get('name'), failure.get('message')))
    return out


def run_unit(tmux, wine, build, name, columns, rows, gtest_filter):
    """The tests write to the terminal itself: Wine sizes the console by the
    terminal only when the program's output goes there."""
    folder = tempfile.mkdtemp(prefix='kveld-wine-')
    try:
        xml = os.path.join(folder, 'result.xml')
        command = ('env %s KVELD_REQUIRE_CONSOLE=1 wine %s --gtest_brief=1 --gtest_filter=%s'
                   ' --gtest_output=xml:result.xml') % (
            wine.shell_env(), shlex.quote(os.path.join(build, 'kveld_tests.exe')), shlex.quote(gtest_filter))
        rc = in_console(tmux, name, columns, rows, folder, command)
        counts = gtest_counts(xml) if os.path.exists(xml) else None
        ok = (rc == 0 and counts is not None and counts['tests'] > 0 and counts['failures'] == 0
              and counts['errors'] == 0 and counts['skipped'] == 0)
        if not ok:
            print('  exit code %s, results %s' % (rc, counts))
            if os.path.exists(xml):
                print('\n'.join(failure_texts(xml)))
        return ok
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def run_script(tmux, wine, build, script):
    name = os.path.splitext(os.path.basename(script))[0]
    columns, rows = 80, 25
    program = 'kveld.exe'
    drives = []
    archives = []
    with open(script, encoding='utf-8') as f:
        for line in f:
            if not line.startswith('#'):
                break
            size = re.match(r'#\s*console\s+(\d+)x(\d+)', line)
            if size:
                columns, rows = int(size.group(1)), int(size.group(2))
            other = re.match(r'#\s*program\s+(\S+)', line)
            if other:
                program = other.group(1)
            drive = re.match(r'#\s*drive\s+([A-Za-z])\s*$', line)
            if drive:
                drives.append(drive.group(1))
            archive = re.match(r'#\s*archive\s+(\S+)\s*$', line)
            if archive:
                archives.append(archive.group(1))
    folder = tempfile.mkdtemp(prefix='kveld-wine-')
    links = []
    try:
        shutil.copy(os.path.join(build, 'dfstandin.exe'), os.path.join(folder, 'standin.exe'))
        shutil.copy(os.path.join(build, 'kveld_interpreter_recorder.exe'), os.path.join(folder, 'cmdrec.exe'))
        for letter in drives:
            links.append(wine.map_drive(letter, tempfile.mkdtemp(prefix='drive-', dir=folder)))
        for control in archives:
            with open(os.path.join(folder, control + '.expected'), 'wb') as f:
                f.write(deal_archive.archive_bytes(control))
        cache = open(os.path.join(build, 'CMakeCache.txt'), encoding='utf-8').read()
        contact = re.search(r'^KVELD_CONTACT:\w+=(.*)$', cache, re.M).group(1)
        steps = open(script, encoding='utf-8', newline='').read().replace('@KVELD_CONTACT@', contact)
        script = os.path.join(folder, '.script')
        open(script, 'w', encoding='utf-8', newline='').write(steps)
        log = os.path.join(folder, '.driver.log')
        # Wine's sound library reports each sound started into the trace,
        # which goes to a file of its own, away from the terminal. The
        # stand-in, once started, notes its start and ends.
        command = 'env %s wine %s %s %s %s .sound-trace 2>.sound-trace' % (
            wine.shell_env(WINEDEBUG='-all,trace+winmm', DFSTANDIN_RECORD_ONLY='1'),
            shlex.quote(os.path.join(build, 'kveld_console_driver.exe')),
            shlex.quote(os.path.join(build, program)), shlex.quote(os.path.abspath(script)), shlex.quote(log))
        rc = in_console(tmux, 'script-' + name, columns, rows, folder, command)
        if rc != 0:
            print('  driver exit code %s' % rc)
            if os.path.exists(log):
                print(open(log, encoding='utf-8', errors='replace').read())
        return rc == 0
    finally:
        for link in links:
            os.unlink(link)
        shutil.rmtree(folder, ignore_errors=True)


def run_archive_model():
    wrong = deal_archive.check()
    for w in wrong:
        print('  ' + w)
    return not wrong


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    for exe in ('kveld.exe', 'kveld_tests.exe', 'kveld_console_driver.exe', 'kveld_key_echo.exe',
                'dfstandin.exe', 'kveld_interpreter_recorder.exe'):
        if not os.path.exists(os.path.join(build, exe)):
            print('missing %s in %s' % (exe, build))
            return 2
    if shutil.which('tmux') is None or shutil.which('wine') is None:
        print('tmux and wine are needed')
        return 2
    scripts = sys.argv[2:] or sorted(glob.glob(os.path.join(HERE, 'scripts', '*.script')))

    runs = [
        ('archive file model', lambda t, w: run_archive_model()),
        ('console device, 80 x 25', lambda t, w: run_unit(t, w, build, 'unit', 80, 25,
                                                           'Win32Console*:-*SmallConsole*')),
        ('console device, 70 x 20', lambda t, w: run_unit(t, w, build, 'unit-small', 70, 20,
                                                           '*SmallConsole*')),
    ] + [('script ' + os.path.basename(s), (lambda s: lambda t, w: run_script(t, w, build, s))(s))
         for s in scripts]

    began = time.monotonic()
    wine = WinePrefix()
    print('Wine prefix made (%.1f s)' % (time.monotonic() - began), flush=True)
    tmux = Tmux()
    failed = []
    try:
        for title, run in runs:
            start = time.monotonic()
            ok = run(tmux, wine)
            print('%s %s (%.1f s)' % ('PASS' if ok else 'FAIL', title, time.monotonic() - start), flush=True)
            if not ok:
                failed.append(title)
    finally:
        tmux.close()
        wine.close()
    print('Wine console tests: %d run, %d failed%s (%.1f s in all)' % (
        len(runs), len(failed), (': ' + ', '.join(failed)) if failed else '', time.monotonic() - began))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
