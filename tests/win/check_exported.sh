#!/bin/sh
# Checks the files the export test wrote with tools that know the formats:
# icotool lists each icon and cursor with the widths of its images, file(1)
# names each bitmap a PC bitmap of its size.   check_exported.sh DIR
set -eu
cd "$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
while read -r name kind widths; do
    out=$(icotool -l "$name") || fail "icotool cannot read $name"
    echo "$out"
    got=$(echo "$out" | sed -n "s/^--$kind .*--width=\([0-9]*\).*/\1/p" | tr '\n' ' ')
    [ "$got" = "$widths " ] || fail "$name: $kind widths '$got', expected '$widths '"
done <<LIST
1.ICO icon 16 32 48
2.ICO icon 16
DOCUMENT.ICO icon 32 24
400.ICO icon 20 16
1.CUR cursor 32
2.CUR cursor 32 48
LIST
icotool -l 1.CUR | grep -q -- "--hotspot-x=3 --hotspot-y=4" || fail "1.CUR lost its hotspot"
for b in "FACE.BMP 8 x 8" "101.BMP 13 x 7" "104.BMP 7 x 5"; do
    out=$(file -b "${b%% *}")
    case "$out" in *"PC bitmap"*"${b#* }"*) echo "${b%% *}: $out" ;; *) fail "${b%% *}: $out" ;; esac
done
