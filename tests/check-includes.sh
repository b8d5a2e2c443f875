#!/bin/sh
# Checks which parts of the program include which: check-includes.sh SOURCE-ROOT
# The parts stand in layers, app -> ui -> (toolkit, checker) -> platform and cli -> checker ->
# platform; a part includes its own headers and those of the parts below it, nothing else.
# A header is known by its file name, which is unique across the parts; headers of the system,
# of libraries and generated ones are no part's and are not checked.
set -eu
cd "$1"
parts="app ui toolkit cli checker platform res"
for part in $parts; do
    ls "$part" | sed -n "s|^\(.*\.h\)\$|owner \1 $part|p"
done | awk '
    BEGIN {
        below["app"] = " app ui toolkit checker platform res "
        below["ui"] = " ui toolkit checker platform res "
        below["toolkit"] = " toolkit platform "
        below["cli"] = " cli checker platform "
        below["checker"] = " checker platform "
        below["platform"] = " platform "
        below["res"] = " res "
    }
    $1 == "owner" { owner[$2] = $3; next }
    FNR == 1 { split(FILENAME, at, "/"); part = at[1] }
    /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
        name = $0
        sub(/^[^<"]*[<"]/, "", name)
        sub(/[>"].*$/, "", name)
        sub(/^.*\//, "", name)
        if ((name in owner) && index(below[part], " " owner[name] " ") == 0) {
            print "check-includes: " FILENAME " includes " name " of " owner[name] "/" > "/dev/stderr"
            failed = 1
        }
    }
    END {
        if (failed)
            exit 1
        print "check-includes: every part includes only itself and the parts below it"
    }
' - $(find $parts -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.rc' \) | sort)
