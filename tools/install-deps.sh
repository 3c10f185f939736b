#!/bin/sh
# Installs the Debian packages that building and testing need, when missing.
set -eu
packages="cmake ninja-build g++ clang make googletest libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 tmux python3 python3-pexpect python3-pyte
  man-db dpkg-dev lintian
  nodejs npm"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
