#!/bin/sh
# Times jobsift-cli on 20 full images (100 records, 786,432 bytes each) side by side with the
# floor (scripts/bench/floor.cpp: read each file once, zlib's CRC-32 over it, write it once beside
# itself and flush it), with hyperfine, and prints the ratio of the medians.
#
#   scripts/bench/batch.sh [FOLDER]
#
# FOLDER (default: build/bench/batch) is where the images go; its file system decides what a
# flush to the device costs, so try one on disk and one in /dev/shm. Builds the native
# jobsift-cli first when it is missing.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/build/bench/batch}
cli=$root/build/native/cli/jobsift-cli
floor=$root/build/bench/floor
[ -x "$cli" ] || { cmake --preset native >/dev/null && cmake --build --preset native --target jobsift-cli; }
mkdir -p "$root/build/bench" "$work"
c++ -O2 -std=c++20 -o "$floor" "$root/scripts/bench/floor.cpp" -lz
rm -f "$work"/*.pgs "$work"/*.floor
python3 "$root/scripts/bench/make-images.py" full "$work" 20
cd "$work"
hyperfine --warmup 3 --runs "${RUNS:-30}" --export-json "$work/times.json" \
    --command-name floor "$floor full*.pgs" \
    --command-name jobsift-cli "$cli full*.pgs > /dev/null"
python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
floor, cli = results["floor"]["median"], results["jobsift-cli"]["median"]
print("median: floor %.1f ms, jobsift-cli %.1f ms, ratio %.2f" % (floor * 1000, cli * 1000, cli / floor))
PY
