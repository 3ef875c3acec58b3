#!/bin/sh
# Runs one Windows program under Wine: ctest's emulator for the Windows
# builds. wine64 by default; with --32 first, the 32-bit Wine, and where the
# machine cannot run 32-bit programs it says so and exits with 77 (a skipped
# test). Uses the caller's WINEPREFIX and DISPLAY when set (the test script
# prepares them once for a whole run); otherwise makes its own.
#   scripts/wine-emulator.sh [--32] PROGRAM [ARG...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
ORVEX_SCRIPTS=$here
. "$here/wine-env.sh"

wine=$WINE64
if [ "${1:-}" = "--32" ]; then
    shift
    if ! orvex_wine32_runs; then
        echo "this machine does not run 32-bit programs: $(basename "$1") skipped" >&2
        exit 77
    fi
    wine=$WINE32
fi

own_prefix=""
if [ -z "${WINEPREFIX:-}" ]; then
    own_prefix=$(mktemp -d /tmp/orvex-wine.XXXXXX)
fi
orvex_prepare_prefix "${WINEPREFIX:-$own_prefix}"
orvex_start_display || exit 1

"$wine" "$@"
status=$?
timeout 60 "$WINESERVER" -w 2>/dev/null || true
orvex_stop_display
[ -n "$own_prefix" ] && rm -rf "$own_prefix"
exit $status
