#!/bin/sh
# Runs one Windows program under wine64: ctest's emulator for the win64
# build. Uses the caller's WINEPREFIX and DISPLAY when set (the test script
# prepares them once for a whole run); otherwise makes its own.
set -u
here=$(cd "$(dirname "$0")" && pwd)
ORVEX_SCRIPTS=$here
. "$here/wine-env.sh"

own_prefix=""
if [ -z "${WINEPREFIX:-}" ]; then
    own_prefix=$(mktemp -d /tmp/orvex-wine.XXXXXX)
fi
orvex_prepare_prefix "${WINEPREFIX:-$own_prefix}"
orvex_start_display || exit 1

"$WINE64" "$@"
status=$?
"$WINESERVER" -w 2>/dev/null || true
orvex_stop_display
[ -n "$own_prefix" ] && rm -rf "$own_prefix"
exit $status
