#!/bin/sh
# Installs what is missing, builds the product (the i686 viewer) and starts
# it under the 32-bit Wine on FILE, in a Wine prefix of its own that holds
# the faces the program asks for. Only where the machine cannot run 32-bit
# programs does it build and start the x86_64 viewer under wine64, and says
# so. Without a display it starts Xvfb and says how to look at the screen.
# Returns when the viewer is closed.
#   scripts/run.sh [FILE]
#   ORVEX_WINEPREFIX  the prefix to use (default ~/.orvex-wine, made once)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
if [ $# -gt 1 ]; then
    echo "usage: scripts/run.sh [FILE]" >&2
    exit 2
fi
arg=""
if [ $# -eq 1 ]; then
    [ -e "$1" ] || { echo "run.sh: no such file: $1" >&2; exit 2; }
    # Wine shows the root of the Linux file system as drive Z:.
    arg="Z:$(realpath "$1" | tr / '\\')"
fi

scripts/install-deps.sh
. scripts/wine-env.sh
preset=win32
wine=$WINE32
if ! orvex_wine32_runs; then
    echo "run.sh: this machine does not run 32-bit programs: starting the x86_64 build under wine64"
    preset=win64
    wine=$WINE64
fi
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target orvex -j2 >/dev/null

orvex_prepare_prefix "${ORVEX_WINEPREFIX:-$HOME/.orvex-wine}"
own_display=""
if [ -z "${DISPLAY:-}" ]; then
    orvex_start_display
    own_display=1
    echo "Orvex runs on the virtual display $DISPLAY. To look at it:"
    echo "    DISPLAY=$DISPLAY import -window root shot.png    # a screenshot"
    echo "    DISPLAY=$DISPLAY xdotool search --name Orvex     # its window, for xdotool"
    echo "Close it with its Exit command, or Alt+F4 sent to its window:"
    echo "    DISPLAY=$DISPLAY xdotool search --name '^Orvex' windowfocus --sync key alt+F4"
fi
# Ends what this script started: on an interruption the viewer and the
# prefix's Wine processes, then the display when it is ours.
viewer=""
cleanup() {
    if [ -n "$viewer" ] && kill -0 "$viewer" 2>/dev/null; then
        kill "$viewer" 2>/dev/null || true
        "$WINESERVER" -k 2>/dev/null || true
    fi
    "$WINESERVER" -w 2>/dev/null || true
    if [ -n "$own_display" ]; then orvex_stop_display; fi
    return 0
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP
if [ -n "$arg" ]; then
    "$wine" build/$preset/orvex.exe "$arg" >/dev/null 2>&1 &
else
    "$wine" build/$preset/orvex.exe >/dev/null 2>&1 &
fi
viewer=$!
wait "$viewer" || true
