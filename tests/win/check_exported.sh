#!/bin/sh
# Checks the files the export test wrote with tools that know the formats:
# icotool lists every image of each .ICO and .CUR with its size, file(1)
# names each .BMP a PC bitmap of the fixture's size.
#   check_exported.sh DIR
set -eu
dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
check_icons() {  # FILE KIND EXPECTED-WIDTHS
    out=$(icotool -l "$dir/$1") || fail "icotool cannot read $1"
    echo "$out"
    echo "$out" | grep -q -- "--$2" || fail "$1 is not listed as $2"
    widths=$(echo "$out" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')
    [ "$widths" = "$3" ] || fail "$1 widths '$widths', expected '$3'"
}
check_bmp() {  # FILE SIZE
    out=$(file -b "$dir/$1")
    echo "$1: $out"
    case "$out" in *"PC bitmap"*"$2"*) ;; *) fail "$1: $out" ;; esac
}
check_icons 1.ICO icon "16 32 48 "
check_icons 2.ICO icon "16 "
check_icons DOCUMENT.ICO icon "32 24 "
check_icons 400.ICO icon "20 16 "
check_icons 1.CUR cursor "32 "
icotool -l "$dir/1.CUR" | grep -q -- "--hotspot-x=3 --hotspot-y=4" || fail "1.CUR lost its hotspot"
check_icons 2.CUR cursor "32 48 "
check_bmp FACE.BMP "8 x 8"
check_bmp 101.BMP "13 x 7"
check_bmp 104.BMP "7 x 5"
echo "exported files check out"
