#!/bin/sh
# Makes the README's screenshots by running the product (the i686 build under
# the 32-bit Wine) on an Xvfb display of its own and driving it with xdotool
# as a user would:
#   docs/shot-text.png       text view of docs/help.txt with a mark
#   docs/shot-interpret.png  interpret mode on Wine's user32.dll: its cursors
#   docs/shot-preview.png    the print preview of the text
# Where 32-bit Windows programs do not run (or, for the preview, where the
# 32-bit Wine cannot reach CUPS) it takes the x86_64 build under wine64 and
# says so. The preview needs a printer: the script starts the
# CUPS PDF printer of scripts/printer-env.sh (under the shared lock).
#   scripts/screenshots.sh
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
out="$here/docs"

. scripts/wine-env.sh
# A display of the screenshots' size, there before the prefix is made (Wine
# takes the screen's size from it): the window opens maximised on it.
display=""
for n in $(seq 150 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    display=":$n"
    break
done
[ -n "$display" ] || { echo "screenshots.sh: no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 960x640x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
viewer=""
prefix=""
cleanup() {
    [ -n "$viewer" ] && kill "$viewer" 2>/dev/null || true
    if [ -n "$prefix" ]; then
        timeout 30 "$WINESERVER" -k 2>/dev/null || true
        rm -rf "$prefix"
    fi
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

prefix=$(mktemp -d /tmp/orvex-shots.XXXXXX)
orvex_prepare_prefix "$prefix"

# The product if this machine runs 32-bit Windows code, else the x86_64 build.
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target orvex -j2 >/dev/null
wine=/usr/lib/wine/wine
exe=build/win32/orvex.exe
dll='C:\windows\syswow64\user32.dll'
rc=0
timeout 60 "$wine" cmd /c exit 7 >/dev/null 2>&1 || rc=$?
if [ "$rc" -ne 7 ]; then
    echo "screenshots.sh: 32-bit Windows programs do not run here; using the x86_64 build" >&2
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target orvex -j2 >/dev/null
    wine="$WINE64"
    exe=build/win64/orvex.exe
    dll='C:\windows\system32\user32.dll'
fi

# The window of the running viewer (its title begins with "Orvex").
window() {
    for _ in $(seq 1 100); do
        w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.2
    done
    echo "screenshots.sh: no window \"$1\"" >&2
    return 1
}
# Keys typed into the window as a user types them (it takes the focus first).
key() {
    w=$1
    shift
    xdotool windowfocus --sync "$w" key --delay 100 "$@"
    sleep 0.6
}
shoot() { sleep 1; import -window root "$out/$1"; echo "wrote docs/$1"; }
# Starts the viewer on a file (a Windows path) and waits for its window.
start() {
    "$wine" "$exe" "$1" >"$prefix/viewer.log" 2>&1 &
    viewer=$!
    w=$(window '^Orvex - ')
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    sleep 1
}
stop() {
    key "$1" alt+F4 || true
    timeout 20 sh -c "while kill -0 $viewer 2>/dev/null; do sleep 0.2; done" || kill "$viewer" || true
    viewer=""
}
guide="Z:$(echo "$here/docs/help.txt" | tr / '\\')"

# 1. Text view with a mark dragged by the mouse (view rows of 12 pixels
# from y 72 in the maximised window).
start "$guide"
w=$(window '^Orvex - ')
xdotool mousemove --window "$w" 400 300 click --repeat 5 --delay 150 5
xdotool mousemove --window "$w" 40 236 mousedown 1 sleep 0.2 mousemove --window "$w" 200 260 \
    sleep 0.2 mousemove --window "$w" 560 284 sleep 0.3 mouseup 1
shoot shot-text.png
stop "$w"

# 2. Interpret mode on a DLL: the CURSOR resources in the image pane. In the
# tree the root and the sections are open; the resource directory is the
# 14th item, its first type CURSOR.
start "$dll"
w=$(window '^Orvex - ')
key "$w" ctrl+i
xdotool mousemove --window "$w" 40 75 click 1
sleep 0.5
key "$w" Home $(printf 'Down %.0s' $(seq 13)) Right Down
shoot shot-interpret.png
stop "$w"

# 3. The print preview of the text (Ctrl+P). Wine finds the CUPS printers
# when the viewer starts: a scheduler already running with the printer "PDF"
# serves as it is; otherwise the one of scripts/printer-env.sh is started
# (and stopped) under the shared lock, which nothing started here inherits.
# The 32-bit Wine reaches CUPS only with the i386 CUPS library; without it
# the preview is taken from the x86_64 build under wine64, and said so.
if [ "$wine" != "$WINE64" ] && ! ls /usr/lib/i386-linux-gnu/libcups.so.2 >/dev/null 2>&1; then
    echo "screenshots.sh: the 32-bit Wine has no CUPS library here; the preview is the x86_64 build's" >&2
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target orvex -j2 >/dev/null
    wine="$WINE64"
    exe=build/win64/orvex.exe
fi
preview() {
    "$wine" "$exe" "$guide" >"$prefix/viewer.log" 2>&1 9>&- &
    viewer=$!
    w=$(window '^Orvex - ')
    sleep 1
    key "$w" ctrl+p
    sleep 4
    import -window root "$out/shot-preview.png"
    echo "wrote docs/shot-preview.png"
    xdotool key Escape
    sleep 1
    stop "$w"
}
if lpstat -r 2>/dev/null | grep -q 'is running' && lpstat -p PDF >/dev/null 2>&1; then
    preview
else
    . scripts/printer-env.sh
    (
        flock 9
        orvex_start_printer >/dev/null 9>&-
        preview
        orvex_stop_printer
    ) 9>/tmp/orvex-printer.lock
fi
