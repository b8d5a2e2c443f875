#!/bin/sh
# Installs the Debian packages that building and testing JOBSIFT need, when they are missing.
# Runs as root (or through sudo when it is there).
set -eu

packages="cmake ninja-build g++ libgtest-dev googletest
g++-mingw-w64-x86-64-posix mingw-w64 wine64 xvfb xauth x11-apps imagemagick
clang libclang-rt-14-dev python3
zlib1g-dev libz-mingw-w64-dev nlohmann-json3-dev hyperfine"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

as_root=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "setup: run as root to install:$missing" >&2; exit 1; }
    as_root="sudo"
fi
echo "setup: installing$missing"
$as_root apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq $missing >/dev/null
