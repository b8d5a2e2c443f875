#!/bin/sh
# Builds everything and runs every test: the native tests, then the Windows tests under Wine.
set -eu
cd "$(dirname "$0")"
scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
