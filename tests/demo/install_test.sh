#!/bin/sh
# Installs the build into a temporary prefix and checks that the program and
# its manual are in place and that a program in the installed bin folder finds
# the installed manual (the unit test program is put there to ask it).
# Usage: install_test.sh BUILD_FOLDER
set -eu
build=$(cd "$1" && pwd)
prefix=$(mktemp -d "${TMPDIR:-/tmp}/kveld-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
manual="$prefix/share/doc/kveld/Bridge/Software/Manuals/KVELD-Manual.htm"
[ -x "$prefix/bin/kveld" ] || { echo "FAIL: no $prefix/bin/kveld"; exit 1; }
[ -f "$manual" ] || { echo "FAIL: no $manual"; exit 1; }
cp "$build/kveld_tests" "$prefix/bin/"
out=$(timeout 60 "$prefix/bin/kveld_tests" --gtest_filter=ManualAddress.ThisProgramsManualExists) || {
  echo "$out"; echo "FAIL: the manual's address does not lead to a file"; exit 1; }
echo "$out" | grep -qF "manual: file://$manual" || {
  echo "$out"; echo "FAIL: the address does not lead to $manual"; exit 1; }
echo "installed program and manual found: $manual"
