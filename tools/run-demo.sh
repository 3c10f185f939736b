#!/bin/sh
# Starts the program. (The demo setting comes with the demo installation.)
set -eu
exec "$1"
