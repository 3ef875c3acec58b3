#!/bin/sh
# Installs what is missing, builds every configuration and runs every test:
# native (Release and ASan/UBSan), the win32 product under the 32-bit Wine
# (skipped, with a line that says so, where the machine cannot run 32-bit
# programs), win64 under wine64, the product's package, and a short run of
# each fuzz target.
#   ORVEX_FUZZ_SECONDS  seconds per fuzz target (default 15; 0 skips)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
jobs=${ORVEX_JOBS:-2}

step() { printf '\n==== %s\n' "$*"; }

scripts/install-deps.sh
[ -x scripts/fetch-golden.sh ] && scripts/fetch-golden.sh

step "format"
scripts/check-format.sh

for preset in native native-asan; do
    step "build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs"
    step "test $preset"
    ctest --preset "$preset" -j"$jobs"
done

step "build win32 (the product)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"

step "build win64"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$jobs"

. scripts/wine-env.sh
. scripts/printer-env.sh
prefix=$(mktemp -d /tmp/orvex-wine.XXXXXX)
cleanup() {
    WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true
    orvex_stop_display
    orvex_stop_printer
    rm -rf "$prefix"
}
trap cleanup EXIT
orvex_prepare_prefix "$prefix"
orvex_start_display
orvex_start_printer || echo "no PDF printer: the printing tests are skipped"
if orvex_wine32_runs; then
    step "test win32 (the product) under the 32-bit Wine"
    ctest --preset win32
    timeout 120 "$WINESERVER" -w || true
else
    step "win32 tests skipped: this machine does not run 32-bit programs"
fi
step "test win64 under wine64"
ctest --preset win64
timeout 120 "$WINESERVER" -w || true

step "package: the user's zip, unpacked and run"
zip=$(scripts/package.sh)
status=0
tests/package/check-package.sh "$zip" || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 77 ] || exit "$status"

seconds=${ORVEX_FUZZ_SECONDS:-15}
if [ "$seconds" -gt 0 ]; then
    step "fuzz, $seconds s per target"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j"$jobs"
    scripts/fuzz.sh "$seconds"
fi
# The soak on ten fixed real files, in each build that was made.
step "soak, ten files"
soak_builds=""
for b in win64 win32; do
    cmake --build --preset "$b" -j"$jobs" --target orvex-soak >/dev/null && soak_builds="$soak_builds $b"
done
scripts/soak.sh --sample --builds "$soak_builds"

step "all tests passed"
