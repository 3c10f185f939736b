#!/bin/sh
# Starts the program in the demo setting: its own current folder, where its
# settings (KVELD.INI) stay from one run to the next, and its own Wine prefix
# whose drive C: holds a DeepFinesse installation with the project's
# stand-in, so that setup finds it there and the end of a set starts it.
#
#   DEMO/run/                          the program's current folder
#   DEMO/wineprefix/dosdevices/c:      -> ../../drive_c (drive C:)
#   DEMO/drive_c/Program Files/DeepFinesse/
#       Deal Archive/                  where the archive files land
#       dfstandin.exe                  the stand-in (a native program here)
#
# Usage: run-demo.sh PROGRAM [DEMO]   (DEMO defaults to build/demo)
set -eu
[ $# -ge 1 ] || { echo "usage: $0 PROGRAM [DEMO]" >&2; exit 2; }
here=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
demo=${2:-$here/build/demo}
standin=$(dirname "$program")/dfstandin.exe
for f in "$program" "$standin"; do
  [ -x "$f" ] || { echo "$0: $f is missing; build it first (make linux)" >&2; exit 1; }
done

mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
shown=${demo#"$PWD"/}
installation="$demo/drive_c/Program Files/DeepFinesse"
mkdir -p "$demo/run" "$demo/wineprefix/dosdevices" "$installation/Deal Archive"
ln -sfn ../../drive_c "$demo/wineprefix/dosdevices/c:"
cp -f "$standin" "$installation/dfstandin.exe"

cd "$demo/run"
export WINEPREFIX="$demo/wineprefix"
status=0
"$program" || status=$?
echo "Demo folder: $shown (settings in run/, archive files in drive_c/)"
exit $status
