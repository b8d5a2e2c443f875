#!/bin/sh
# Times the costliest input for a salvage search, side by side with the floor on the same files:
# memories full of candidates that each need a checksum and none of which verifies, loose or
# inside the spans of a chain of empty records (scripts/bench/make-images.py crafted). A checksum from scratch per candidate would take
# minutes; the goal is well under a second.
#
#   scripts/bench/salvage.sh [FOLDER]
set -eu
. "$(dirname "$0")/common.sh"
work=${1:-$root/build/bench/salvage}
mkdir -p "$work"
python3 "$root/scripts/bench/make-images.py" crafted "$work"
cd "$work"
# Exit status 1 (damage found) is the expected answer here.
hyperfine -N --warmup 2 --runs "${RUNS:-10}" -i \
    --command-name floor "$floor dense-small.pgs sparse-large.pgs empty-chain.pgs" \
    --command-name "salvage dense-small" "$cli --salvage --test dense-small.pgs" \
    --command-name "salvage sparse-large" "$cli --salvage --test sparse-large.pgs" \
    --command-name "salvage empty-chain" "$cli --salvage --test empty-chain.pgs" \
    --command-name "plain, counting what is left behind" "$cli --test dense-small.pgs sparse-large.pgs empty-chain.pgs"
