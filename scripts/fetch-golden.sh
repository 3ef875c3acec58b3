#!/bin/sh
# Fetches the inputs of the golden tests: Wine's PE32 DLLs (libwine:i386,
# unpacked, not installed) into a cache folder. Idempotent: a second run
# with the files present does nothing.
#   usage: scripts/fetch-golden.sh [DIR]   (default: build/golden-inputs)
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIR=${1:-$ROOT/build/golden-inputs}
MARK="$DIR/libwine-i386/.done"

if [ -f "$MARK" ]; then
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

mkdir -p "$DIR/libwine-i386"
cd "$DIR"
# apt-get download finds an i386 package only when the architecture is
# known to dpkg; adding it installs nothing.
if ! apt-get download libwine:i386 >/dev/null 2>&1; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    $SUDO apt-get update -qq
    apt-get download libwine:i386
fi
deb=$(ls -t libwine_*_i386.deb | head -n 1)
dpkg -x "$deb" libwine-i386
rm -f "$deb"
touch "$MARK"
echo "fetch-golden: unpacked $deb into $DIR/libwine-i386"
