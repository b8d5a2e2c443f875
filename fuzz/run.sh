#!/bin/sh
# Runs the check fuzzer for SECONDS (default 60), one process, from the checked-in seeds, in a
# scratch folder outside the source tree. Further arguments go to libFuzzer as they are.
# Build it first: cmake --preset fuzz && cmake --build --preset fuzz
#
# JOBSIFT_FUZZ_CORPUS=FOLDER keeps what the run learns in FOLDER, to start the next run from;
# without it the run starts from a copy of the seeds that is thrown away afterwards.
# The log is build/fuzz/last-run.log; a failing input is kept in build/fuzz/artifacts/.
set -eu
caller=$(pwd)
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
root=$(pwd)
fuzzer=$root/build/fuzz/fuzz/check_fuzzer
artifacts=$root/build/fuzz/artifacts
log=$root/build/fuzz/last-run.log
mkdir -p "$artifacts"

# Every input is written, checked and synced as files: memory-backed storage keeps that cheap.
base=/dev/shm
{ [ -d "$base" ] && [ -w "$base" ]; } || base=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$base/jobsift-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM

corpus=${JOBSIFT_FUZZ_CORPUS:-$scratch/corpus}
case $corpus in /*) ;; *) corpus=$caller/$corpus ;; esac
mkdir -p "$corpus"
cp -n fuzz/corpus/* "$corpus/"

echo "fuzz: ${seconds}s, log in $log"
if ! (cd "$scratch" && TMPDIR=$scratch "$fuzzer" -dict="$root/fuzz/pgs.dict" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$@" "$corpus" >"$log" 2>&1); then
    tail -n 60 "$log"
    echo "fuzz: FAILED; the input that failed is in $artifacts" >&2
    exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
