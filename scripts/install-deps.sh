#!/bin/sh
# Installs, with apt-get, whatever the builds and tests need and is not yet on
# the machine. Quick when everything is present. The 32-bit Wine, which runs
# the i686 product, comes from the i386 architecture and is installed only
# where the kernel runs 32-bit programs; that is tried, with a 96-byte i386
# program that exits with status 42.
set -eu

PKGS="cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
clang-14 libclang-rt-14-dev clang-format
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev
mingw-w64-x86-64-dev binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
wine64 xvfb xauth imagemagick xdotool xclip fonts-wine fonts-liberation
fonts-dejavu-core icoutils file python3 python3-fonttools xxd
console-setup-linux fonts-urw-base35
cups printer-driver-cups-pdf poppler-utils zip unzip"

missing=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

if [ -n "$missing" ]; then
    echo "install-deps: installing$missing"
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# An ELF program for i386: exit(42) through int 0x80, nothing else.
runs_32bit() {
    probe=$(mktemp /tmp/orvex-i386.XXXXXX)
    printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\273\052\000\000\000\270\001\000\000\000\315\200' >"$probe"
    chmod +x "$probe"
    status=0
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# The 32-bit Wine, and the 32-bit CUPS library through which it sees the
# printers.
PKGS32="wine32:i386 libcups2:i386"
missing32=""
for p in $PKGS32; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        missing32="$missing32 $p"
done
if [ -n "$missing32" ]; then
    if runs_32bit; then
        echo "install-deps: installing$missing32 (the 32-bit Wine for the i686 product)"
        dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
        $SUDO apt-get update -qq
        # shellcheck disable=SC2086
        $SUDO apt-get install -y -qq --no-install-recommends $missing32
    else
        echo "install-deps: this kernel does not run 32-bit programs: the i686 product is built but not run, its tests are skipped"
    fi
fi
