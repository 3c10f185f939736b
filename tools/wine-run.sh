#!/bin/sh
# Runs a Windows program under Wine in the project's own prefix, quietly,
# with a time limit so that a hang fails instead of stalling.
# Usage: wine-run.sh SECONDS PROGRAM.exe [ARGS...]
set -eu
limit=$1; shift
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || command -v wine)
exec timeout --kill-after=10 "$limit" "$wine" "$@"
