#!/bin/sh
# Unpacks the user's zip and runs both programs from the unpacked folder
# under the 32-bit Wine: orvex-dump --hex prints the rows of a small file and
# the viewer opens it (its title names the file and its size).
#   tests/package/check-package.sh ZIP     run from the top of the tree
set -u
zip=$1
ORVEX_SCRIPTS=$(pwd)/scripts
. scripts/wine-env.sh
work=$(mktemp -d /tmp/orvex-unpacked.XXXXXX)
fails=0
fail() { echo "check-package: $*" >&2; fails=$((fails + 1)); }

unzip -q "$zip" -d "$work" || { echo "check-package: cannot unpack $zip" >&2; exit 1; }
name=$(basename "$zip" .zip)
dir=$work/$name
listing=$(cd "$work" && find . -type f | sort | tr '\n' ' ')
expected="./$name/LICENSE.txt ./$name/README.txt ./$name/orvex-dump.exe ./$name/orvex.exe "
[ "$listing" = "$expected" ] || fail "the zip holds: $listing"
grep -q '^MIT License' "$dir/LICENSE.txt" || fail "LICENSE.txt is not the licence"
grep -q '^Orvex is a file viewer' "$dir/README.txt" || fail "README.txt lacks the description"
if grep -q 'cmake --preset\|scripts/test.sh' "$dir/README.txt"; then
    fail "README.txt holds the developers' commands"
fi
i686-w64-mingw32-objdump -p "$dir/orvex.exe" | grep -q 'large address aware' ||
    fail "orvex.exe is not large-address-aware"

if ! orvex_wine32_runs; then
    echo "this machine does not run 32-bit programs: the unpacked programs are not run"
    rm -rf "$work"
    [ "$fails" -eq 0 ] && exit 77
    exit 1
fi

own_prefix=""
if [ -z "${WINEPREFIX:-}" ]; then
    own_prefix=$(mktemp -d /tmp/orvex-wine.XXXXXX)
fi
orvex_prepare_prefix "${WINEPREFIX:-$own_prefix}"
orvex_start_display || exit 1

sample=$work/sample.bin
printf 'Hello, packaged Orvex!' >"$sample"
winpath="Z:$(echo "$sample" | tr / '\\')"
cd "$dir"
timeout 60 "$WINE32" orvex-dump.exe --hex "$winpath" >"$work/dump.txt" 2>"$work/dump.err"
printf '%s\n' \
    '00000000:  4865 6C6C 6F2C 2070  6163 6B61 6765 6420  [Hello, packaged ]' \
    '00000010:  4F72 7665 7821                            [Orvex!          ]' >"$work/want.txt"
cmp -s "$work/dump.txt" "$work/want.txt" || fail "orvex-dump --hex printed: $(cat "$work/dump.txt" "$work/dump.err")"

"$WINE32" orvex.exe "$winpath" >"$work/viewer.log" 2>&1 &
viewer=$!
title="Orvex - $winpath  22 bytes"
shown=""
for _ in $(seq 1 120); do
    if xdotool search --name "^Orvex - " getwindowname %@ >"$work/titles.txt" 2>/dev/null &&
        grep -qxF "$title" "$work/titles.txt"; then
        shown=1
        break
    fi
    kill -0 "$viewer" 2>/dev/null || break
    sleep 0.5
done
[ -n "$shown" ] || fail "the viewer showed no window titled: $title"
timeout 30 "$WINESERVER" -k 2>/dev/null || true
wait "$viewer" 2>/dev/null || true
timeout 30 "$WINESERVER" -w 2>/dev/null || true
cd /
orvex_stop_display
[ -n "$own_prefix" ] && rm -rf "$own_prefix"
rm -rf "$work"
[ "$fails" -eq 0 ] && echo "check-package: $name runs from its unpacked folder"
[ "$fails" -eq 0 ]
