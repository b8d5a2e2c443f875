#!/bin/sh
# Times the costliest input for a salvage search, side by side with the floor on the same files:
# memories full of candidates that each need a checksum and none of which verifies
# (scripts/bench/make-images.py crafted). A checksum from scratch per candidate would take
# minutes; the goal is well under a second.
#
#   scripts/bench/salvage.sh [FOLDER]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/build/bench/salvage}
cli=$root/build/native/cli/jobsift-cli
floor=$root/build/bench/floor
[ -x "$cli" ] || { cmake --preset native >/dev/null && cmake --build --preset native --target jobsift-cli; }
mkdir -p "$root/build/bench" "$work"
c++ -O2 -std=c++20 -o "$floor" "$root/scripts/bench/floor.cpp" -lz
python3 "$root/scripts/bench/make-images.py" crafted "$work"
cd "$work"
# Exit status 1 (damage found) is the expected answer here.
hyperfine --warmup 2 --runs "${RUNS:-10}" -i \
    --command-name floor "$floor dense-small.pgs sparse-large.pgs" \
    --command-name "salvage dense-small" "$cli --salvage --test dense-small.pgs" \
    --command-name "salvage sparse-large" "$cli --salvage --test sparse-large.pgs" \
    --command-name "plain, counting what is left behind" "$cli --test dense-small.pgs sparse-large.pgs"
