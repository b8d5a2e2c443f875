#!/bin/sh
# Checks which parts of the program include which: check-includes.sh SOURCE-ROOT
# The parts stand in layers, app -> ui -> (toolkit, checker) -> platform and cli -> checker ->
# platform; a part includes its own headers and those of the parts below it, nothing else.
# A header is known by its file name, which is unique across the parts; headers of the system,
# of libraries and generated ones are no part's and are not checked.
set -eu
root=$1
parts="app ui toolkit cli checker platform res"

below() { # PART: the parts it may include, itself first
    case $1 in
    app) echo "app ui toolkit checker platform res" ;;
    ui) echo "ui toolkit checker platform res" ;;
    toolkit) echo "toolkit platform" ;;
    cli) echo "cli checker platform" ;;
    checker) echo "checker platform" ;;
    platform) echo "platform" ;;
    res) echo "res" ;;
    esac
}

owners=$(mktemp)
trap 'rm -f "$owners"' EXIT
for part in $parts; do
    for header in "$root/$part"/*.h; do
        [ -e "$header" ] && echo "$(basename "$header") $part"
    done
done >"$owners"

failed=0
for part in $parts; do
    allowed=" $(below "$part") "
    for file in "$root/$part"/*.h "$root/$part"/*.cpp "$root/$part"/*.rc; do
        [ -e "$file" ] || continue
        for included in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([^>"]*\)[>"].*/\1/p' "$file"); do
            owner=$(awk -v name="$(basename "$included")" '$1 == name { print $2 }' "$owners")
            [ -n "$owner" ] || continue
            case $allowed in
            *" $owner "*) ;;
            *)
                echo "check-includes: $part/$(basename "$file") includes $included of $owner/" >&2
                failed=1
                ;;
            esac
        done
    done
done
[ "$failed" -eq 0 ] && echo "check-includes: every part includes only itself and the parts below it"
exit "$failed"
