#!/bin/sh
# The Windows build's setup search under Wine: gives the Wine prefix a drive
# of its own, an empty temporary folder, and runs the tests that search it
# with the command interpreter.
# Usage: run.sh SOURCE_FOLDER PATH/TO/kveld_tests.exe
set -eu
source=$1
exe=$2
if [ ! -f "$exe" ]; then
  echo "FAIL: the Windows build's test program is missing: $exe (make windows)"
  exit 1
fi
export WINEPREFIX="${WINEPREFIX:-$source/build/wineprefix}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$source/tools/wine-run.sh" 300 cmd /c exit >/dev/null 2>&1 || true
fi
letter=
for l in k l m n o p q r s t u v w x y; do
  if [ ! -e "$WINEPREFIX/dosdevices/$l:" ] && [ ! -L "$WINEPREFIX/dosdevices/$l:" ]; then
    letter=$l
    break
  fi
done
[ -n "$letter" ] || { echo "no free drive letter in $WINEPREFIX"; exit 1; }
drive=$(mktemp -d)
out=$(mktemp)
trap 'rm -f "$WINEPREFIX/dosdevices/$letter:"; rm -rf "$drive" "$out"' EXIT
ln -s "$drive" "$WINEPREFIX/dosdevices/$letter:"
upper=$(echo "$letter" | tr a-z A-Z)
status=0
KVELD_WINE_TEST_DRIVE="$upper:" "$source/tools/wine-run.sh" 300 "$exe" \
  --gtest_filter='SetupUnderWine.*' >"$out" 2>&1 || status=$?
cat "$out"
if grep -q "SKIPPED" "$out"; then
  echo "the test did not see its drive"
  exit 1
fi
exit "$status"
