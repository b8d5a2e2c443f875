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
stage "windows build"

# The Windows tests spend most of their time waiting on windows under Wine, so they run while the
# 32-bit builds compile, which yield the processors to them.
ctest --preset windows >build/windows/ctest.log 2>&1 &
windows_tests=$!

# The 32-bit builds. Wine here cannot start 32-bit programs, so the Windows one checks its
# programs' imports; the Linux one runs the core and command line tests under qemu-i386.
for preset in windows32 native32; do
    cmake --preset "$preset" >/dev/null
    nice -n 10 cmake --build --preset "$preset"
    ctest --preset "$preset"
    stage "$preset"
done

if ! wait "$windows_tests"; then
    cat build/windows/ctest.log
    echo "test.sh: the Windows tests failed" >&2
    exit 1
fi
grep -E 'tests passed|Test +#' build/windows/ctest.log
stage "windows tests"

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

# The packages twice, each from scratch in folders of its own: both must be the same bytes. The
# fuzzer keeps one processor busy, so the first packages are made on the other meanwhile.
rm -rf build/dist-1 build/dist-2
scripts/release.sh build/dist-1 build/release-1 >build/release-1.log 2>&1 &
first_release=$!
fuzz/run.sh 60
stage "fuzz"
if ! wait "$first_release"; then
    cat build/release-1.log
    echo "test.sh: making the packages failed" >&2
    exit 1
fi
scripts/release.sh build/dist-2 build/release-2
diff -r build/dist-1 build/dist-2
tests/check-packages.sh build/dist-1
stage "packages"
