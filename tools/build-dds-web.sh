#!/bin/sh
# Builds the DDS double-dummy solver for the browser page, once per build
# folder: its original source is fetched from Debian's source package (apt-get
# with a sources list and state of this build folder's own, never the
# system's), patched by tools/dds-web.patch for WebAssembly and compiled with
# Debian's emscripten, single-threaded, into a static library.
#   build-dds-web.sh OUTDIR
# leaves OUTDIR/lib/libdds.a and OUTDIR/include/dds/dll.h.
set -eu
out=$1
[ -f "$out/lib/libdds.a" ] && [ -f "$out/include/dds/dll.h" ] && exit 0
patch=$(cd "$(dirname "$0")" && pwd)/dds-web.patch
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
echo "DDS for the page: fetching Debian's source package of dds"
if ! ls "$out"/src/dds_*.orig.tar.* >/dev/null 2>&1; then
  # shellcheck disable=SC2086
  apt-get -qq $apt_opts update
  # Only the original tarball is needed (see build-dds-windows.sh).
  # shellcheck disable=SC2086
  (cd "$out/src" && apt-get -qq $apt_opts source --download-only dds) >"$out/apt/source.log" 2>&1 || true
fi
tarball=$(ls "$out"/src/dds_*.orig.tar.* 2>/dev/null | head -n 1)
if [ -z "$tarball" ]; then
  echo "DDS for the page: the source of dds could not be fetched (see $out/apt/source.log)" >&2
  exit 1
fi
rm -rf "$out/src/tree" && mkdir -p "$out/src/tree"
tar xf "$tarball" -C "$out/src/tree" --strip-components=1
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
