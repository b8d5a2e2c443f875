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

# The native tests again under AddressSanitizer with UndefinedBehaviorSanitizer, and under
# ThreadSanitizer; then a short fuzz run of a whole check from the seed corpus.
for preset in asan tsan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fuzz/run.sh 60
