#!/bin/sh
# Builds JOBSIFT and starts it: the desktop program under Wine when there is a display,
# otherwise jobsift-cli on the sample stored-program file.
set -eu
cd "$(dirname "$0")"
scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native --target jobsift-cli
cmake --preset windows >/dev/null
cmake --build --preset windows --target JOBSIFT

# The cleaned file is written beside the source, so work on a copy of the sample.
work=build/run
mkdir -p "$work"
cp samples/sample.pgs "$work/sample.pgs"

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting JOBSIFT.exe; the sample is at $work/sample.pgs"
    cd "$work"
    exec ../../cmake/wine-run.sh "$PWD/../windows/wineprefix" ../windows/app/JOBSIFT.exe
fi

echo "No display here (DISPLAY is not set): checking the sample with jobsift-cli instead."
echo
cd "$work"
exec ../native/cli/jobsift-cli --save-active sample.pgs
