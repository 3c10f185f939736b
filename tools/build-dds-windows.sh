#!/bin/sh
# Cross-builds the DDS double-dummy solver for the Windows program, once per
# build folder: Debian ships no Windows build of it, so its original source
# is fetched from Debian's source package (tools/fetch-dds-source.sh) and
# compiled with the MinGW makefile it carries, threads by the Windows API,
# into a static library.
#   build-dds-windows.sh OUTDIR
# leaves OUTDIR/lib/libdds.a and OUTDIR/include/dds/dll.h.
set -eu
out=$1
[ -f "$out/lib/libdds.a" ] && [ -f "$out/include/dds/dll.h" ] && exit 0
sh "$(dirname "$0")/fetch-dds-source.sh" "$out" "DDS for Windows"
out=$(cd "$out" && pwd)
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
