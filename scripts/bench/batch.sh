#!/bin/sh
# Times jobsift-cli on 20 full images (100 records, 786,432 bytes each) side by side with the
# floor (scripts/bench/floor.cpp: read each file once, zlib's CRC-32 over it, write it once beside
# itself under a temporary name, flush it and rename it), with hyperfine, and prints the ratio of
# the medians.
#
#   [BASELINE=OTHER-JOBSIFT-CLI] scripts/bench/batch.sh [FOLDER]
#
# BASELINE names another build of jobsift-cli (an older commit's, say) to time in the same run.
# FOLDER (default: build/bench/batch) is where the images go; its file system decides what a
# flush to the device costs, so try one on disk and one in /dev/shm. Builds the native
# jobsift-cli first when it is missing.
set -eu
. "$(dirname "$0")/common.sh"
work=${1:-$root/build/bench/batch}
mkdir -p "$work"
rm -f "$work"/*.pgs "$work"/*.floor "$work"/*.floor-tmp
python3 "$root/scripts/bench/make-images.py" full "$work" 20
cd "$work"
# The files are named one by one, so that neither command sees the other's outputs; hyperfine
# runs them without a shell and throws their output away.
files=$(echo full[0-9][0-9].pgs)
hyperfine -N --warmup 3 --runs "${RUNS:-30}" --export-json "$work/times.json" \
    --command-name floor "$floor $files" \
    --command-name jobsift-cli "$cli $files" \
    ${BASELINE:+--command-name baseline "$BASELINE $files"}
python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
floor, cli = results["floor"]["median"], results["jobsift-cli"]["median"]
print("median: floor %.1f ms, jobsift-cli %.1f ms, ratio %.2f" % (floor * 1000, cli * 1000, cli / floor))
if "baseline" in results:
    base = results["baseline"]["median"]
    print("median: baseline %.1f ms, ratio %.2f" % (base * 1000, base / floor))
PY
