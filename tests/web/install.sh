#!/bin/sh
# Installs the page tests' Node modules (puppeteer-core, and pbn for the bench, pinned by
# package-lock.json beside this script) into PREFIX/node_modules, once for
# each version of the lock file. puppeteer-core downloads no browser: the
# tests drive Debian's Chromium.
#   install.sh PREFIX
set -eu
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
mkdir -p "$prefix"
if [ -d "$prefix/node_modules/puppeteer-core" ] && cmp -s "$here/package-lock.json" "$prefix/package-lock.json"; then
  exit 0
fi
cp "$here/package.json" "$here/package-lock.json" "$prefix/"
cd "$prefix" && npm ci --no-audit --no-fund --loglevel=error
