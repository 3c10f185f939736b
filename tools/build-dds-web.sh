#!/bin/sh
# Builds the DDS double-dummy solver for the browser page, once per build
# folder: its original source is fetched from Debian's source package
# (tools/fetch-dds-source.sh), patched by tools/dds-web.patch for WebAssembly
# and compiled with Debian's emscripten, single-threaded, into a static
# library.
#   build-dds-web.sh OUTDIR
# leaves OUTDIR/lib/libdds.a and OUTDIR/include/dds/dll.h.
set -eu
out=$1
[ -f "$out/lib/libdds.a" ] && [ -f "$out/include/dds/dll.h" ] && exit 0
patch=$(cd "$(dirname "$0")" && pwd)/dds-web.patch
sh "$(dirname "$0")/fetch-dds-source.sh" "$out" "DDS for the page"
out=$(cd "$out" && pwd)
patch -s -p1 -d "$out/src/tree" < "$patch"
cd "$out/src/tree/src"
sources=$(sed -n 's/^ *\([A-Za-z]*\.cpp\).*/\1/p' Makefiles/sources.txt)
echo "DDS for the page: compiling $(echo $sources | wc -w) files"
# emcc's tools need Debian's Node modules, which another Node does not find.
export NODE_PATH=/usr/share/nodejs
# shellcheck disable=SC2086
printf '%s\n' $sources | xargs -P "${JOBS:-2}" -I{} em++ -O3 -std=c++14 -w -c {}
mkdir -p "$out/lib" "$out/include/dds"
rm -f "$out/lib/libdds.a"
# shellcheck disable=SC2086
emar rcs "$out/lib/libdds.a" $(printf '%s\n' $sources | sed 's/\.cpp$/.o/')
cp ../include/dll.h "$out/include/dds/dll.h"
echo "DDS for the page: $out/lib/libdds.a"
