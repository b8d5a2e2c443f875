#!/bin/sh
# Fails when a Windows program imports a DLL function that Windows 7 does not have, that is one
# that is not on the list: check-imports.sh OBJDUMP LIST PROGRAM...
# OBJDUMP is the MinGW-w64 objdump of the programs' processor. LIST holds one DLL!Function a
# line, the DLL's name in lower case; "#" starts a comment.
set -eu
objdump=$1
list=$2
shift 2

allowed=$(mktemp)
trap 'rm -f "$allowed"' EXIT
sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$list" | LC_ALL=C sort -u >"$allowed"

# objdump -p lists each imported DLL's functions under "DLL Name: NAME" as "ADDRESS HINT NAME",
# or with "<none>" for one imported by number alone, written here as DLL!#NUMBER.
imports_of() {
    "$objdump" -p "$1" | awk '
        /^\tDLL Name: / { dll = tolower($3); next }
        /^$/ { dll = "" }
        dll != "" && /^\t[0-9a-f]+\t/ { print dll "!" ($3 == "<none>" ? "#" $2 : $3) }'
}

status=0
for program in "$@"; do
    name=$(basename "$program")
    imports=$(imports_of "$program" | LC_ALL=C sort -u)
    case $imports in
    *kernel32.dll!*) ;;
    *)
        echo "$name: no imports from kernel32.dll found; cannot read its import table" >&2
        status=1
        continue
        ;;
    esac
    missing=$(printf '%s\n' "$imports" | LC_ALL=C comm -23 - "$allowed")
    for import in $missing; do
        echo "$name imports $import, which is not on $list: add it there once you know Windows 7 has it" >&2
        status=1
    done
    [ -n "$missing" ] || echo "$name: all $(printf '%s\n' "$imports" | wc -l) imports are on the list"
done
exit $status
