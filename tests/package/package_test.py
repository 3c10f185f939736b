"""Checks of what the install and the packages carry besides the programs.

  package_test.py render PAGE...
      each manual page renders without a warning from man or groff
  package_test.py install BUILD SOURCE VERSION [PAGE...]
      `cmake --install` puts the compressed manual pages, changelog.gz,
      copyright and the lintian overrides where Debian wants them
  package_test.py options PROGRAM PAGE
      the options that PROGRAM --help lists are the options the page describes
  package_test.py contact BUILD
      the .deb made from BUILD names one address: in its Maintainer, the
      program's halt, the manual, the manual pages and the changelog
"""
import glob
import gzip
import os
import re
import subprocess
import sys
import tempfile

TIMEOUT = 60
# How lintian renders a manual page to look for problems.
MAN_ENV = dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80")


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def render_warnings(page):
    """What man and groff say on standard error while rendering the page."""
    said = []
    for command in (["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page],
                    ["groff", "-ww", "-z", "-man", "-Tutf8", page]):
        run = subprocess.run(command, env=MAN_ENV, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, text=True, timeout=TIMEOUT)
        if run.returncode != 0:
            said.append(f"{command[0]} ended with status {run.returncode}")
        said += [line for line in run.stderr.splitlines() if line.strip()]
    return said


def check_render(pages):
    # First a page with an unknown macro and a stray escape: if the renderers
    # say nothing about it, their silence about the real pages means nothing.
    with tempfile.TemporaryDirectory() as folder:
        broken = os.path.join(folder, "broken.1")
        with open(broken, "w") as f:
            f.write(".TH BROKEN 1\n.SH NAME\nbroken \\- a page\n.NOSUCH x\ntext\\q\n")
        if len(render_warnings(broken)) < 2:
            fail("man and groff do not report the faults of a broken page")
    bad = False
    for page in pages:
        said = render_warnings(page)
        for line in said:
            print(f"{os.path.basename(page)}: {line}")
        bad = bad or bool(said)
    if bad:
        fail("manual pages render with warnings")
    print(f"{len(pages)} manual pages render without warnings")


def read_gzip_as_debian_wants(path):
    """The content of a file compressed with gzip -9n; fails otherwise."""
    if not os.path.isfile(path):
        fail(f"{path} is not installed")
    with open(path, "rb") as f:
        data = f.read()
    if data[:3] != b"\x1f\x8b\x08":
        fail(f"{path} is not gzip data")
    flags, mtime, extra = data[3], data[4:8], data[8]
    if flags & 0x08 or mtime != b"\0\0\0\0":
        fail(f"{path} carries a file name or time in its header (not gzip -n)")
    if extra != 2:
        fail(f"{path} is not compressed at the highest level (gzip -9)")
    return gzip.decompress(data)


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def check_install(build, source, version, pages):
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL, timeout=TIMEOUT)
        for page in pages:
            name = os.path.basename(page)
            installed = os.path.join(prefix, "share/man/man1", name + ".gz")
            if read_gzip_as_debian_wants(installed) != file_bytes(page):
                fail(f"{installed} differs from {page}")
        man_folder = os.path.join(prefix, "share/man/man1")
        extra = sorted(set(os.listdir(man_folder)) - {os.path.basename(p) + ".gz" for p in pages})
        if extra:
            fail(f"manual pages installed that the build does not make: {extra}")

        doc = os.path.join(prefix, "share/doc/kveld")
        changelog = read_gzip_as_debian_wants(os.path.join(doc, "changelog.gz"))
        if changelog != file_bytes(os.path.join(build, "debian/made/changelog")):
            fail("the installed changelog differs from the one the build made")
        if not changelog.startswith(f"kveld ({version}) ".encode()):
            fail(f"the changelog's first entry is not for version {version}")

        with open(os.path.join(doc, "copyright"), encoding="ascii") as f:
            copyright_text = f.read()
        with open(os.path.join(source, "LICENSE"), encoding="ascii") as f:
            license_text = f.read()
        check_copyright(copyright_text, license_text)

        overrides = os.path.join(prefix, "share/lintian/overrides/kveld")
        if not os.path.isfile(overrides):
            fail("the lintian overrides are not installed")
        # Every override stands below the reason for it.
        lines = file_bytes(overrides).decode("ascii").splitlines()
        for i, line in enumerate(lines):
            if line and not line.startswith("#") and (i == 0 or not lines[i - 1].startswith("#")):
                fail(f"lintian override without a reason written above it: {line}")
    print(f"installed: {len(pages)} manual pages, changelog.gz, copyright, lintian overrides")


def check_copyright(text, license_text):
    """The machine-readable copyright file: its fields, and the licence terms
    of LICENSE word for word as a control-file continuation."""
    paragraphs = text.rstrip("\n").split("\n\n")
    header = paragraphs[0].splitlines()
    if header[0] != "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/":
        fail("copyright does not start with the machine-readable Format line")
    holder = re.search(r"^Copyright \(c\) (.+)$", license_text, re.M).group(1)
    files = [p for p in paragraphs if p.startswith("Files: *\n")]
    if len(files) != 1 or f"Copyright: {holder}" not in files[0].splitlines() \
            or "License: Expat" not in files[0].splitlines():
        fail("copyright has no 'Files: *' paragraph with the holder of LICENSE and License: Expat")
    licence = [p for p in paragraphs if p.startswith("License: Expat\n")]
    if len(licence) != 1:
        fail("copyright has no stand-alone 'License: Expat' paragraph with the terms")
    body = licence[0].splitlines()[1:]
    if any(not line.startswith(" ") or len(line) > 80 for line in body):
        fail("the licence terms are not continuation lines of at most 80 characters")
    terms = "\n".join("" if line == " ." else line[1:] for line in body)
    expected = license_text[license_text.index("Permission is hereby granted"):].strip()
    if terms != expected:
        fail("the licence terms in copyright differ from LICENSE")


def check_options(program, page):
    run = subprocess.run([program, "--help"], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                         text=True, timeout=TIMEOUT)
    if run.returncode != 0:
        fail(f"{program} --help ended with status {run.returncode}: {run.stderr}")
    listed = set(re.findall(r"(?<![\w-])(--?[A-Za-z][\w-]*)", run.stdout))
    with open(page, encoding="ascii") as f:
        roff = f.read()
    section = roff[roff.index(".SH OPTIONS"):]
    section = section[:section.index("\n.SH ", 1)]
    described = set()
    for line in section.splitlines():
        if line.startswith(".BR ") or line.startswith(".B "):
            described.update(re.findall(r"(?<![\w-])(-(?:-)?[A-Za-z][\w-]*)",
                                        line.replace("\\-", "-")))
    missing = sorted(listed - described)
    unknown = sorted(described - listed)
    if missing:
        fail(f"--help lists options the manual page does not describe: {missing}")
    if unknown:
        fail(f"the manual page describes options --help does not list: {unknown}")
    print(f"--help and the manual page agree on {len(listed)} options")


# An address; a manual page writes its hyphens as \- and keeps it unbroken with \%.
ADDRESS = re.compile(rb"[A-Za-z0-9._+-]+@[A-Za-z0-9-]+(?:\.[A-Za-z0-9-]+)+")


def check_contact(build):
    def run(*command):
        return subprocess.run(command, check=True, stdout=subprocess.PIPE, timeout=3 * TIMEOUT).stdout
    with tempfile.TemporaryDirectory() as folder:
        run("cpack", "-G", "DEB", "-B", folder, "--config", build + "/CPackConfig.cmake")
        deb, usr = glob.glob(folder + "/*.deb")[0], folder + "/root/usr/"
        run("dpkg-deb", "-x", deb, folder + "/root")
        files = {"Maintainer": run("dpkg-deb", "-f", deb, "Maintainer"),
                 "kveld": file_bytes(usr + "bin/kveld"),
                 "manual": file_bytes(glob.glob(usr + "share/doc/**/*.htm", recursive=True)[0])}
        for gz in glob.glob(usr + "share/man/man1/*.gz") + [usr + "share/doc/kveld/changelog.gz"]:
            files[os.path.basename(gz)] = read_gzip_as_debian_wants(gz)
    found = {what: set(ADDRESS.findall(data.replace(b"\\%", b"").replace(b"\\-", b"-")))
             for what, data in files.items()}
    if len(found["Maintainer"]) != 1 or any(a != found["Maintainer"] for a in found.values()):
        fail(f"not one address throughout the package: {found}")
    print(f"{len(files)} places in the package name {found['Maintainer'].pop().decode()}")


def main(args):
    if len(args) >= 2 and args[0] == "render":
        check_render(args[1:])
    elif len(args) >= 4 and args[0] == "install":
        check_install(args[1], args[2], args[3], args[4:])
    elif len(args) == 2 and args[0] == "contact":
        check_contact(args[1])
    elif len(args) == 3 and args[0] == "options":
        check_options(args[1], args[2])
    else:
        print(__doc__)
        sys.exit(2)


if __name__ == "__main__":
    main(sys.argv[1:])
