# Sourced by the scripts that run Windows programs under Wine: a Wine prefix
# of our own with the program's faces, and an X display. One 64-bit prefix
# serves both loaders: wine64 for the x86_64 build, the 32-bit wine for the
# i686 product.
#   WINEPREFIX  kept when set; else a fresh throw-away prefix
#   DISPLAY     kept when set; else an Xvfb of our own
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The folder of these scripts: their callers run from the top of the tree.
ORVEX_SCRIPTS="${ORVEX_SCRIPTS:-$(pwd)/scripts}"

# Whether the 32-bit Wine is installed and the kernel runs it: tried, since
# some kernels are built without 32-bit support.
orvex_wine32_runs() {
    [ -x "$WINE32" ] && "$WINE32" --version >/dev/null 2>&1
}

orvex_prepare_prefix() {
    # $1: prefix directory
    export WINEPREFIX="$1"
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/.orvex-ready" ]; then
        "$WINE64" wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 || true
        "$WINESERVER" -w
        # Windows' raster and TrueType faces the program asks for.
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        if [ -d /usr/share/wine/fonts ]; then
            cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        fi
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' /d 'Liberation Mono' /f >/dev/null 2>&1
        "$WINESERVER" -k || true
        "$WINESERVER" -w || true
        touch "$WINEPREFIX/.orvex-ready"
    fi
    orvex_terminal_face
}

# "Terminal", the program's default screen font: a raster face of 8 x 8,
# 8 x 12 and 8 x 16 pixels built from the console fonts, so that 12-pixel
# rows hold whole characters. Wine loads a raster font only when the
# registry's font list names it. Also brings a prefix made before it was
# added (with "Terminal" standing in for Fixedsys) up to date.
orvex_terminal_face() {
    fon="$WINEPREFIX/drive_c/windows/Fonts/terminal.fon"
    [ -f "$fon" ] && return 0
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    python3 "$ORVEX_SCRIPTS/make_terminal_fon.py" "$fon" || return 1
    "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v Terminal /d terminal.fon /f >/dev/null 2>&1
    "$WINE64" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v Terminal /f >/dev/null 2>&1 || true
    "$WINESERVER" -k || true
    "$WINESERVER" -w || true
}

orvex_start_display() {
    if [ -z "${DISPLAY:-}" ]; then
        for n in $(seq 90 140); do
            [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            ORVEX_XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            return 0
        done
        echo "no free X display number" >&2
        return 1
    fi
}

orvex_stop_display() {
    if [ -n "${ORVEX_XVFB_PID:-}" ]; then
        kill "$ORVEX_XVFB_PID" 2>/dev/null || true
        wait "$ORVEX_XVFB_PID" 2>/dev/null || true
        unset ORVEX_XVFB_PID
    fi
}
