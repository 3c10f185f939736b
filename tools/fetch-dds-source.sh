#!/bin/sh
# Fetches the original source of the DDS double-dummy solver from Debian's
# source package, with apt-get working on a sources list and state of the
# build folder's own, never the system's, and unpacks it afresh into
# OUTDIR/src/tree. Used by the builds of DDS that Debian does not ship
# (Windows, the browser page).
#   fetch-dds-source.sh OUTDIR WHAT
# WHAT names the build in its messages ("DDS for Windows").
set -eu
out=$1
what=$2
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
echo "$what: fetching Debian's source package of dds"
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
  echo "$what: the source of dds could not be fetched (see $out/apt/source.log)" >&2
  exit 1
fi
rm -rf "$out/src/tree" && mkdir -p "$out/src/tree"
tar xf "$tarball" -C "$out/src/tree" --strip-components=1
