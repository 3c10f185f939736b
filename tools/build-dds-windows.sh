#!/bin/sh
# Cross-builds the DDS double-dummy solver for the Windows program, once per
# build folder: Debian ships no Windows build of it, so its original source
# is fetched from Debian's source package (apt-get with a sources list and
# state of this build folder's own, never the system's) and compiled with
# the MinGW makefile it carries, threads by the Windows API, into a static
# library.
#   build-dds-windows.sh OUTDIR
# leaves OUTDIR/lib/libdds.a and OUTDIR/include/dds/dll.h.
set -eu
out=$1
[ -f "$out/lib/libdds.a" ] && [ -f "$out/include/dds/dll.h" ] && exit 0
mkdir -p "$out/apt/lists/partial" "$out/apt/cache/archives/partial" "$out/src"
out=$(cd "$out" && pwd)
. /etc/os-release
suite=${VERSION_CODENAME:-bookworm}
cat > "$out/apt/sources.list" <<LIST
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main
LIST
apt_opts="-o Dir::Etc::SourceList=$out/apt/sources.list -o Dir::Etc::SourceParts=/dev/null
  -o Dir::State::Lists=$out/apt/lists -o Dir::Cache=$out/apt/cache -o Debug::NoLocking=1
  -o APT::Sandbox::User=$(id -un)"
echo "DDS for Windows: fetching Debian's source package of dds"
if ! ls "$out"/src/dds_*.orig.tar.* >/dev/null 2>&1; then
  # shellcheck disable=SC2086
  apt-get -qq $apt_opts update
  # The Debian part of the source package may be missing from the mirror;
  # only the original tarball is needed, so apt's complaint about the other
  # part goes to a log of its own.
  # shellcheck disable=SC2086
  (cd "$out/src" && apt-get -qq $apt_opts source --download-only dds) >"$out/apt/source.log" 2>&1 || true
fi
tarball=$(ls "$out"/src/dds_*.orig.tar.* 2>/dev/null | head -n 1)
if [ -z "$tarball" ]; then
  echo "DDS for Windows: the source of dds could not be fetched (see $out/apt/source.log)" >&2
  exit 1
fi
rm -rf "$out/src/tree" && mkdir -p "$out/src/tree"
tar xf "$tarball" -C "$out/src/tree" --strip-components=1
cd "$out/src/tree/src"
objects=$(sed -n 's/^ *\([A-Za-z]*\)\.cpp.*/\1.o/p' Makefiles/sources.txt)
echo "DDS for Windows: compiling $(echo $objects | wc -w) files"
# shellcheck disable=SC2086
make -s -j "$(nproc)" -f Makefiles/Makefile_mingw CC=x86_64-w64-mingw32-g++-posix \
  "COMPILE_FLAGS=-O3 -DDDS_THREADS_WINAPI -w" $objects
mkdir -p "$out/lib" "$out/include/dds"
rm -f "$out/lib/libdds.a"
# shellcheck disable=SC2086
x86_64-w64-mingw32-ar rcs "$out/lib/libdds.a" $objects
cp ../include/dll.h "$out/include/dds/dll.h"
echo "DDS for Windows: $out/lib/libdds.a"
