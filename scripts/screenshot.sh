#!/bin/sh
# Takes docs/screenshot.png, the main dialog after one run over samples/sample.pgs, and
# docs/question.png, the question after a run over a file with a zeroed sector, under Wine on an
# X server of its own.
# Builds nothing: run `cmake --build --preset windows` first. BUILD_DIR picks another build.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build/windows}
driver=$build/tests/gui/screenshot_driver.exe
if [ ! -f "$driver" ]; then
    echo "screenshot: $driver is missing; build the windows preset first" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample=$root/samples/sample.pgs
mkdir -p "$root/docs"

export root build driver work
# shoot WHAT PICTURE: WHAT is the sample file or --question.
shoot() {
    rm -f "$work/ready" "$work/release"
    what=$1
    picture=$2
    export what picture
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
        set -eu
        "$root/cmake/wine-run.sh" "$build/wineprefix" "$driver" "$work/ready" "$work/release" "$what" &
        staged=$!
        tries=0
        until [ -s "$work/ready" ]; do
            tries=$((tries + 1))
            if [ $tries -gt 600 ] || ! kill -0 $staged 2>/dev/null; then
                echo "screenshot: the window was not staged" >&2
                exit 1
            fi
            sleep 0.1
        done
        read -r x y width height < "$work/ready"
        xwd -root -silent > "$work/screen.xwd"
        touch "$work/release"
        wait $staged
        convert "xwd:$work/screen.xwd" -crop "${width}x${height}+${x}+${y}" +repage "$root/docs/$picture"
    '
    echo "screenshot: wrote docs/$picture"
}
shoot "$sample" screenshot.png
shoot --question question.png
