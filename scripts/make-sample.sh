#!/bin/sh
# Rebuilds samples/sample.pgs with the project's record builder (needs the native build).
set -eu
cd "$(dirname "$0")/.."
cmake --build --preset native --target make-sample
build/native/tests/make-sample samples/sample.pgs
