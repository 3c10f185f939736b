#!/usr/bin/env python3
"""Runs the Windows build in real consoles under Wine.

Wine gives a program a console of its own only when it runs in a terminal,
so each run gets a detached tmux session of the size it needs, on a tmux
server of this runner's own. Every run has a time limit; a run that exceeds
it is killed and fails.

  run-console-tests.py BUILD_DIR [SCRIPT...]

Runs, from BUILD_DIR (the MinGW build):
  - the console device tests of kveld_tests.exe, in an 80 x 25 console and
    (the refusal of a small console) in a 70 x 20 one;
  - kveld.exe driven by kveld_console_driver.exe through each script of
    tests/wine/scripts/*.script (or the scripts named), in a fresh folder. The
    comment lines at the top of a script may hold "# console COLSxROWS" for
    another size and "# program NAME.exe" for another program of the build.
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


def wine_env():
    env = {
        'WINEPREFIX': os.environ.get('WINEPREFIX', os.path.join(ROOT, 'build', 'wineprefix')),
        'WINEDEBUG': '-all',
        'WINEDLLOVERRIDES': 'mscoree,mshtml=',
    }
    return ' '.join('%s=%s' % (k, shlex.quote(v)) for k, v in env.items())


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


def run_unit(tmux, build, name, columns, rows, gtest_filter):
    """The tests write to the terminal itself: Wine sizes the console by the
    terminal only when the program's output goes there."""
    folder = tempfile.mkdtemp(prefix='kveld-wine-')
    try:
        xml = os.path.join(folder, 'result.xml')
        command = 'env %s KVELD_REQUIRE_CONSOLE=1 wine %s --gtest_brief=1 --gtest_filter=%s --gtest_output=xml:result.xml' % (
            wine_env(), shlex.quote(os.path.join(build, 'kveld_tests.exe')), shlex.quote(gtest_filter))
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


def run_script(tmux, build, script):
    name = os.path.splitext(os.path.basename(script))[0]
    columns, rows = 80, 25
    program = 'kveld.exe'
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
    folder = tempfile.mkdtemp(prefix='kveld-wine-')
    try:
        log = os.path.join(folder, '.driver.log')
        command = 'env %s wine %s %s %s %s' % (
            wine_env(), shlex.quote(os.path.join(build, 'kveld_console_driver.exe')),
            shlex.quote(os.path.join(build, program)), shlex.quote(os.path.abspath(script)), shlex.quote(log))
        rc = in_console(tmux, 'script-' + name, columns, rows, folder, command)
        if rc != 0:
            print('  driver exit code %s' % rc)
            if os.path.exists(log):
                print(open(log, encoding='utf-8', errors='replace').read())
        return rc == 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    build = os.path.abspath(sys.argv[1])
    for exe in ('kveld.exe', 'kveld_tests.exe', 'kveld_console_driver.exe', 'kveld_key_echo.exe'):
        if not os.path.exists(os.path.join(build, exe)):
            print('missing %s in %s' % (exe, build))
            return 2
    if shutil.which('tmux') is None or shutil.which('wine') is None:
        print('tmux and wine are needed')
        return 2
    scripts = sys.argv[2:] or sorted(glob.glob(os.path.join(HERE, 'scripts', '*.script')))

    runs = [
        ('console device, 80 x 25', lambda t: run_unit(t, build, 'unit', 80, 25,
                                                        'Win32Console*:-*SmallConsole*')),
        ('console device, 70 x 20', lambda t: run_unit(t, build, 'unit-small', 70, 20, '*SmallConsole*')),
    ] + [('script ' + os.path.basename(s), (lambda s: lambda t: run_script(t, build, s))(s)) for s in scripts]

    tmux = Tmux()
    failed = []
    try:
        for title, run in runs:
            start = time.monotonic()
            ok = run(tmux)
            print('%s %s (%.1f s)' % ('PASS' if ok else 'FAIL', title, time.monotonic() - start), flush=True)
            if not ok:
                failed.append(title)
    finally:
        tmux.close()
    print('Wine console tests: %d run, %d failed%s' % (len(runs), len(failed),
                                                       (': ' + ', '.join(failed)) if failed else ''))
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
