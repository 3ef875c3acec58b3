#!/bin/sh
# Installs, with apt-get, whatever the builds and tests need and is not yet on
# the machine. Quick when everything is present.
set -eu

PKGS="cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
clang-14 libclang-rt-14-dev clang-format
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev
mingw-w64-x86-64-dev binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
wine64 xvfb xauth imagemagick xdotool xclip fonts-wine fonts-liberation
fonts-dejavu-core icoutils file python3 python3-fonttools xxd
console-setup-linux fonts-urw-base35
cups printer-driver-cups-pdf poppler-utils"

missing=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "install-deps: installing$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
