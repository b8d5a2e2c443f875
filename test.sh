#!/bin/sh
# Builds everything and runs every test: the native tests, the Windows tests under Wine, the
# 32-bit builds, the sanitizer and fuzz runs, and the packages, made twice.
set -eu
cd "$(dirname "$0")"
started=$(date +%s)
# Says how long each stage took, for whoever has to keep the whole run short.
stage() {
    now=$(date +%s)
    echo "test.sh: $1 done after $((now - started)) s"
}
scripts/setup.sh
stage "set-up"

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native
stage "native"

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
stage "windows"

# The 32-bit builds. Wine here cannot start 32-bit programs, so the Windows one builds its tests
# and checks its imports; the Linux one runs its tests under qemu-i386.
for preset in windows32 native32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
    stage "$preset"
done

# The native tests again under AddressSanitizer with UndefinedBehaviorSanitizer, and under
# ThreadSanitizer; then a short fuzz run of a whole check from the seed corpus.
for preset in asan tsan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
    stage "$preset"
done

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
fuzz/run.sh 60
stage "fuzz"

# The packages twice, each from scratch in folders of its own: both must be the same bytes.
rm -rf build/dist-1 build/dist-2
scripts/release.sh build/dist-1 build/release-1
scripts/release.sh build/dist-2 build/release-2
diff -r build/dist-1 build/dist-2
tests/check-packages.sh build/dist-1
stage "packages"
