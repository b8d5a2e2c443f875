#!/bin/sh
# Installs the Debian packages that building and testing JOBSIFT need, when they are missing.
# Runs as root (or through sudo when it is there).
set -eu

# The 32-bit builds: MinGW-w64 i686 for Windows; g++ -m32 with Debian's i386 zlib, run under
# qemu-i386, for Linux. The packages: zip and unzip. fonts-wine: Wine draws the symbols of the
# caption buttons with its own fonts, in the GUI tests and the screenshots.
packages="cmake ninja-build g++ libgtest-dev googletest
g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64 wine64 fonts-wine xvfb xauth x11-apps imagemagick
clang libclang-rt-14-dev python3
g++-multilib zlib1g-dev:i386 qemu-user
zlib1g-dev libz-mingw-w64-dev nlohmann-json3-dev hyperfine zip unzip"

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
case $missing in
*:i386*)
    # i386 packages install beside the amd64 ones once dpkg knows the architecture.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $as_root dpkg --add-architecture i386
    fi
    ;;
esac
$as_root apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-remove $missing >/dev/null
