#!/bin/sh
# Makes the packages of the checked-out commit: scripts/release.sh [DIST [BUILD]]
# DIST (default dist) receives jobsift-VERSION-windows-x64.zip, jobsift-VERSION-windows-x86.zip,
# jobsift-VERSION-linux-x64.tar.gz and SHA256SUMS. BUILD (default build/release) holds a build
# folder for each, made anew every time with the release presets.
# The same commit gives the same bytes: every time inside the programs and the archives is the
# commit's, and no build path is kept. Package a clean checkout: the files are taken as they are.
set -eu
caller=$(pwd)
cd "$(dirname "$0")/.."
root=$(pwd)
absolute() {
    case $1 in /*) echo "$1" ;; *) echo "$caller/$1" ;; esac
}
dist=$(absolute "${1:-$root/dist}")
build=$(absolute "${2:-$root/build/release}")

SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain)" ]; then
    echo "release: the work tree differs from commit $(git rev-parse --short HEAD): not its packages" >&2
fi

for kind in windows-x64 windows-x86 linux-x64; do
    rm -rf "$build/$kind"
    cmake --preset "release-$kind" -B "$build/$kind" >/dev/null
    cmake --build "$build/$kind"
done

version=$("$build/linux-x64/cli/jobsift-cli" --version | sed -n 's/^JOBSIFT //p')
[ -n "$version" ] || { echo "release: jobsift-cli --version names no version" >&2; exit 1; }
tests/check-imports.sh x86_64-w64-mingw32-objdump tests/windows7-imports.txt \
    "$build/windows-x64/app/JOBSIFT.exe" "$build/windows-x64/cli/jobsift-cli.exe" >/dev/null
tests/check-imports.sh i686-w64-mingw32-objdump tests/windows7-imports.txt \
    "$build/windows-x86/app/JOBSIFT.exe" "$build/windows-x86/cli/jobsift-cli.exe" >/dev/null

stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage" "$dist"

# The read-me with the version filled in, and the licence; with CRLF line ends when asked.
texts() { # FOLDER LINE-END
    sed "s/@VERSION@/$version/g" packaging/README.txt >"$1/README.txt"
    cp LICENSE "$1/LICENSE.txt"
    if [ "$2" = crlf ]; then
        for text in "$1/README.txt" "$1/LICENSE.txt"; do
            awk '{ printf "%s\r\n", $0 }' "$text" >"$text.crlf"
            mv "$text.crlf" "$text"
        done
    fi
}

# Owners, modes and times of the staged files are fixed, so only their bytes reach an archive.
settle() { # FOLDER
    find "$1" -type d -exec chmod 755 {} +
    find "$1" -type f -exec chmod 644 {} +
    find "$1" -type f \( -name '*.exe' -o -name jobsift-cli \) -exec chmod 755 {} +
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# A zip unpacks into the folder Windows offers for it, so its files sit at its top.
zip_package() { # ARCHITECTURE BUILD-KIND
    name=jobsift-$version-windows-$1
    mkdir "$stage/$name"
    cp "$build/$2/app/JOBSIFT.exe" "$build/$2/cli/jobsift-cli.exe" "$stage/$name/"
    texts "$stage/$name" crlf
    settle "$stage/$name"
    rm -f "$dist/$name.zip"
    (cd "$stage/$name" && LC_ALL=C ls | TZ=UTC zip -X -D -q -@ "$dist/$name.zip")
}

tar_package() {
    name=jobsift-$version-linux-x64
    mkdir "$stage/$name"
    cp "$build/linux-x64/cli/jobsift-cli" "$stage/$name/"
    texts "$stage/$name" lf
    settle "$stage/$name"
    (cd "$stage" && LC_ALL=C tar --sort=name --format=ustar --mtime="@$SOURCE_DATE_EPOCH" \
        --owner=0 --group=0 --numeric-owner -cf - "$name") | gzip -9 -n >"$dist/$name.tar.gz"
}

zip_package x64 windows-x64
zip_package x86 windows-x86
tar_package
(cd "$dist" && sha256sum "jobsift-$version-windows-x64.zip" "jobsift-$version-windows-x86.zip" \
    "jobsift-$version-linux-x64.tar.gz" >SHA256SUMS)
echo "release: jobsift $version in $dist"
cat "$dist/SHA256SUMS"
