#!/bin/sh
# kveld-batch.exe under Wine against the POSIX build: the same exit status
# and the same bytes for the same command line; text meant for the terminal
# differs only in its line ends (CR LF on Windows).
# Usage: compare-windows.sh POSIX_KVELD_BATCH WINDOWS_KVELD_BATCH_EXE
set -eu
# Absolute, since some cases run in a folder of their own.
posix=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
windows=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# compare NAME BYTES|TEXT INPUT ARGS...
compare() {
  name=$1 kind=$2 input=$3
  shift 3
  set +e
  printf '%s' "$input" | timeout 60 "$posix" "$@" >"$work/posix.out" 2>"$work/posix.err"
  posix_status=$?
  printf '%s' "$input" | "$here/tools/wine-run.sh" 120 "$windows" "$@" >"$work/win.out" 2>"$work/win.err"
  win_status=$?
  set -e
  same_ends=yes
  if [ "$kind" = TEXT ]; then
    # Every LF of the POSIX text is CR LF on Windows, and nothing else differs.
    [ "$(wc -c <"$work/win.out")" -eq $(($(wc -c <"$work/posix.out") + $(wc -l <"$work/posix.out"))) ] || same_ends=no
    tr -d '\r' <"$work/win.out" >"$work/win.lf"
    mv "$work/win.lf" "$work/win.out"
  fi
  if [ "$posix_status" -eq "$win_status" ] && [ "$same_ends" = yes ] && cmp -s "$work/posix.out" "$work/win.out"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name (exit $posix_status on POSIX, $win_status on Windows)"
    cmp "$work/posix.out" "$work/win.out" || true
    head -c 600 "$work/win.err"
  fi
}

sets="1000100006 0102230455 123456789X 0000000000 506020300X"
for format in archive pbn; do
  compare "$format" BYTES "" -f "$format" $sets
done
compare "text" TEXT "" -f text $sets
compare "check" TEXT "" --check $sets 1234567890 12345
# The double-dummy analysis: the Windows build's own solver gives the same
# tables and par.
compare "pbn analysed" BYTES "" -a -f pbn 1000100006
compare "text analysed" TEXT "" --analyse -f text 1000100006
compare "html analysed" BYTES "" --analyze -f html 1000100006
compare "standard input" BYTES "$(printf '# sets\r\n\r\n1000100006\r\n123456789X\n')" -f pbn -
compare "usage error" TEXT "" --bogus
compare "version" TEXT "" --version

# Deal files: a set written in every format that is read, each read back by
# both builds, and one of them written in every format.
mkdir "$work/in"
readable="archive pbn lin bri dup dlm"
for format in $readable; do
  timeout 60 "$posix" -q -f "$format" -o "$work/in" 123456789X >/dev/null 2>&1 || echo "FAILED: writing $format"
done
cd "$work/in"
for file in *; do
  compare "read $file" BYTES "" -f pbn -i "$file"
done
for format in $readable html; do
  compare "a PBN file as $format" BYTES "" -f "$format" -i Aug-23-M.pbn
done
compare "a PBN file as text" TEXT "" -f text -i Aug-23-M.pbn
compare "a file that cannot be read" TEXT "" -i missing.pbn
cd "$here"

# Files in a folder: the same names and bytes.
mkdir "$work/posix" "$work/win"
set +e
timeout 60 "$posix" -q -f pbn -o "$work/posix" $sets >/dev/null 2>&1
"$here/tools/wine-run.sh" 120 "$windows" -q -f pbn -o "Z:$work/win" $sets >/dev/null 2>&1
set -e
if diff -r "$work/posix" "$work/win" >/dev/null && [ "$(ls "$work/win" | wc -l)" -eq 5 ]; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  echo "FAILED: files in an output folder"
  ls -l "$work/posix" "$work/win"
fi

echo "kveld-batch, Windows against POSIX: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
