#!/bin/sh
# Makes what a user downloads, dist/orvex-<version>-win32.zip, from a clean
# i686 build: orvex.exe, orvex-dump.exe, README.txt (the user's part of the
# README) and LICENSE.txt. The version is the About box's.
#   scripts/package.sh        prints the path of the zip it made
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=${ORVEX_JOBS:-2}

version=$(sed -n 's/.*"[[:space:]]*Version \([0-9][0-9.]*\)".*/\1/p' src/resources/orvex.rc)
[ -n "$version" ] || { echo "package.sh: no version in src/resources/orvex.rc" >&2; exit 1; }
name=orvex-$version-win32

build=build/package-win32
rm -rf "$build"
mkdir -p build
cmake -S . -B "$build" -G Ninja --toolchain cmake/mingw-w64-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release >"$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
cmake --build "$build" --target orvex orvex-dump -j"$jobs" >>"$build.log" 2>&1 ||
    { tail -40 "$build.log" >&2; exit 1; }

stage=$(mktemp -d /tmp/orvex-package.XXXXXX)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
i686-w64-mingw32-strip -o "$stage/$name/orvex.exe" "$build/orvex.exe"
i686-w64-mingw32-strip -o "$stage/$name/orvex-dump.exe" "$build/tools/dump/orvex-dump.exe"
# The README's user part: its description of the program and the sections
# on using it; the build and layout sections are for developers. Windows
# line ends.
awk '
    /^# /   { print; print ""; next }
    /^## /  { keep = ($0 == "## Using Orvex" || $0 == "## orvex-dump"); intro = 0 }
    /^Orvex is / && !seen { intro = 1; seen = 1 }
    intro && /^$/ { print; intro = 0; next }
    keep || intro { print }
' README.md | sed 's/$/\r/' >"$stage/$name/README.txt"
sed 's/$/\r/' LICENSE >"$stage/$name/LICENSE.txt"

mkdir -p dist
rm -f "dist/$name.zip"
(cd "$stage" && zip -q -r -X "$here/dist/$name.zip" "$name")
echo "dist/$name.zip"
