#!/bin/sh
# Installs the Debian packages of the profiles named, when missing. Each
# profile is a list in tools/deps/PROFILE (one package a line, # comments):
#   run      building the program and the demo
#   test     the unit and end-to-end tests of the Linux build
#   windows  the Windows build and its tests under Wine
#   package  the .deb and its check
#   bench    the benchmarks
#   fuzz     the fuzz targets
#   web      the browser page, its tests and its benchmark
# Usage: install-deps.sh PROFILE...
set -eu
[ $# -ge 1 ] || { echo "usage: $0 PROFILE..." >&2; exit 2; }
lists=$(cd "$(dirname "$0")/deps" && pwd)
packages=""
for profile in "$@"; do
  [ -f "$lists/$profile" ] || { echo "$0: no profile $profile in $lists" >&2; exit 2; }
  packages="$packages $(sed -e 's/#.*//' "$lists/$profile")"
done
missing=""
for p in $packages; do
  case " $missing " in *" $p "*) continue ;; esac
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
