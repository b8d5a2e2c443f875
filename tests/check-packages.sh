#!/bin/sh
# Checks what scripts/release.sh made in DIST: check-packages.sh DIST
# Each package holds exactly its files, its programs are for its processor, its texts have the
# line ends of its system, SHA256SUMS agrees, the Linux jobsift-cli names the version that the
# package names carry, and no program carries the test seams (their library marks them).
set -eu
dist=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cr=$(printf '\r')
fail() {
    echo "check-packages: $*" >&2
    exit 1
}

(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the packages"
version=$(sed -n 's/^[0-9a-f]*  jobsift-\(.*\)-linux-x64\.tar\.gz$/\1/p' "$dist/SHA256SUMS")
[ -n "$version" ] || fail "SHA256SUMS names no Linux package"

# PACKAGE, then the objdump format of its programs.
while read -r package format; do
    archive=$dist/jobsift-$version-$package
    mkdir "$work/$package"
    case $archive in
    *.zip)
        entries=$(unzip -Z1 "$archive" | tr '\n' ' ')
        expected="JOBSIFT.exe LICENSE.txt README.txt jobsift-cli.exe "
        unzip -q "$archive" -d "$work/$package"
        folder=$work/$package
        programs="JOBSIFT.exe jobsift-cli.exe"
        line_ends=crlf
        ;;
    *.tar.gz)
        top=jobsift-$version-linux-x64
        entries=$(tar -tzf "$archive" | tr '\n' ' ')
        expected="$top/ $top/LICENSE.txt $top/README.txt $top/jobsift-cli "
        tar -xzf "$archive" -C "$work/$package"
        folder=$work/$package/$top
        programs=jobsift-cli
        line_ends=lf
        ;;
    esac
    [ "$entries" = "$expected" ] || fail "$archive holds: $entries; expected: $expected"
    for program in $programs; do
        objdump -f "$folder/$program" | grep -q "file format $format\$" ||
            fail "$archive: $program is not $format"
        ! grep -q "JOBSIFT fault seams" "$folder/$program" || fail "$archive: $program carries the test seams"
    done
    for text in README.txt LICENSE.txt; do
        case $line_ends in
        crlf) wrong=$(grep -vc "$cr\$" "$folder/$text" || true) ;;
        lf) wrong=$(grep -c "$cr\$" "$folder/$text" || true) ;;
        esac
        [ "$wrong" -eq 0 ] || fail "$archive: $text has $wrong lines that do not end in $line_ends"
    done
    grep -q "^JOBSIFT $version" "$folder/README.txt" || fail "$archive: README.txt does not name version $version"
done <<EOF
windows-x64.zip pei-x86-64
windows-x86.zip pei-i386
linux-x64.tar.gz elf64-x86-64
EOF

[ "$("$work/linux-x64.tar.gz/jobsift-$version-linux-x64/jobsift-cli" --version)" = "JOBSIFT $version" ] ||
    fail "the Linux jobsift-cli does not say JOBSIFT $version"
echo "check-packages: jobsift $version packages are as they should be"
