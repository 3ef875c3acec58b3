#!/bin/sh
# The soak: the real windows of both builds on Wine's own DLLs and EXEs. Each
# file is opened in interpret mode, every node selected, every bitmap, cursor
# and icon type exported into a folder (tests/soak/soak_main.cpp). Prints a
# line per file and the figures; fails on a crash, a hang or an unexpected box.
#   scripts/soak.sh [--sample | --list FILE] [--builds "win64 win32"] [--limit SECONDS] [--log DIR]
#     --sample   ten fixed files instead of every one (what the test run uses)
#     --list F   the files named in F, one path a line
#     --builds   the builds to run (default both; each must be built, target orvex-soak)
#     --limit    seconds a file may take before it counts as a hang (default 300)
#     --log      where the per-file lines go (default a temporary folder)
#   ORVEX_SOAK_BUILDS  the folder holding the builds (default build/)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

sample=0
given=""
builds="win64 win32"
limit=300
log=""
while [ $# -gt 0 ]; do
    case "$1" in
    --sample) sample=1 ;;
    --list) given=$2; shift ;;
    --builds) builds=$2; shift ;;
    --limit) limit=$2; shift ;;
    --log) log=$2; shift ;;
    *) echo "usage: $0 [--sample | --list FILE] [--builds LIST] [--limit SECONDS] [--log DIR]" >&2; exit 2 ;;
    esac
    shift
done

dir32=/usr/lib/i386-linux-gnu/wine/i386-windows
dir64=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
[ -d "$dir32" ] || dir32="$here/build/golden-inputs/libwine-i386/usr/lib/i386-linux-gnu/wine/i386-windows"

[ -n "$log" ] || log=$(mktemp -d /tmp/orvex-soak.XXXXXX)
mkdir -p "$log"
list="$log/files.txt"
: >"$list"
if [ -n "$given" ]; then
    cat "$given" >"$list"
elif [ "$sample" -eq 1 ]; then
    # Icons, cursors, bitmaps and dialogs of every kind, and plain programs
    # (shell32, the largest, is left to the whole run: minutes on its own).
    for f in comctl32.dll user32.dll winecfg.exe notepad.exe regedit.exe; do
        [ -f "$dir32/$f" ] && echo "$dir32/$f" >>"$list"
        [ -f "$dir64/$f" ] && echo "$dir64/$f" >>"$list"
    done
else
    for d in "$dir32" "$dir64"; do
        [ -d "$d" ] && find "$d" -maxdepth 1 -type f \( -iname '*.dll' -o -iname '*.exe' \) | sort >>"$list"
    done
fi
total=$(wc -l <"$list")
[ "$total" -gt 0 ] || { echo "soak: no files found" >&2; exit 1; }

. scripts/wine-env.sh
prefix=$(mktemp -d /tmp/orvex-soak-wine.XXXXXX)
runner=""
cleanup() {
    if [ -n "$runner" ]; then kill "$runner" 2>/dev/null || true; fi
    WINEPREFIX=$prefix "$WINESERVER" -k 2>/dev/null || true
    orvex_stop_display
    rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# The display first: a wineserver started without one cannot show windows.
orvex_start_display
orvex_prepare_prefix "$prefix"
# A crash ends the program at once: no debugger keeps the prefix busy.
"$WINE64" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
"$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true

failed=0
for build in $builds; do
    exe="${ORVEX_SOAK_BUILDS:-$here/build}/$build/tests/win/orvex-soak.exe"
    [ -f "$exe" ] || { echo "soak: $exe not built" >&2; failed=1; continue; }
    wine=$WINE64
    [ "$build" = win32 ] && wine=/usr/lib/wine/wine
    out="$log/$build.log"
    : >"$out"
    : >"$log/$build.mem"
    # Runs the files not yet reported; after a hang or a crash, the next one.
    while :; do
        done_count=$(grep -cE '^(FILE|HANG|CRASH) ' "$out" || true)
        [ "$done_count" -ge "$total" ] && break
        tail -n +"$((done_count + 1))" "$list" | sed 's|^|Z:|; s|/|\\|g' >"$log/rest.txt"
        before=$done_count
        # The whole remaining list, bounded: a hang the program's own watchdog
        # misses still ends.
        timeout $((limit * (total - done_count) + 120)) \
            "$wine" "$exe" "Z:$(echo "$log/rest.txt" | sed 's|/|\\|g')" "C:\\soak-out" "$limit" \
            >>"$out" 2>"$log/$build.err" &
        runner=$!
        # Resident memory of the program each second, against the number of
        # files done: "MEM <files done> <KB>".
        while kill -0 "$runner" 2>/dev/null; do
            for pid in $(pgrep -P "$runner"); do
                kb=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
                [ -n "$kb" ] && echo "MEM $(grep -cE '^(FILE|HANG|CRASH) ' "$out" || true) $kb" >>"$log/$build.mem"
            done
            sleep 1
        done
        wait "$runner" || true
        done_count=$(grep -cE '^(FILE|HANG|CRASH) ' "$out" || true)
        if [ "$done_count" -eq "$before" ]; then
            # Nothing reported: the program died before its first file.
            next=$(sed -n "$((done_count + 1))p" "$list")
            echo "CRASH Z:$next no-report" | sed 's|/|\\|g' >>"$out"
        fi
    done
    "$WINESERVER" -w || true
    # The peak: the largest sample, and the file then being worked on.
    awk '$1 == "MEM" && $3 + 0 > peak { peak = $3 + 0; at = $2 + 1 } END { print peak + 0, at + 0 }' \
        "$log/$build.mem" >"$log/$build.peak"
    read -r peak at <"$log/$build.peak"
    awk -v build="$build" -v peak="$peak" -v at="$at" '
        /^(FILE|HANG|CRASH) / { done++; if (done == at) peakFile = $2 }
        /^FILE / {
            files++
            for (i = 3; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
            nodes += v["nodes"]; boxes += v["boxes"]; previews += v["previews"]; exported += v["exported"]
            if (v["ms"] + 0 > worst) { worst = v["ms"] + 0; worstFile = $2 }
            ms += v["ms"]
        }
        /^(HANG|CRASH|UNEXPECTED) / { bad++; print "  " $0 }
        END {
            printf "%s: files %d, nodes %d, boxes %d, previews %d, files exported %d, total %.0f s\n", build, files, nodes, boxes, previews, exported, ms / 1000
            printf "%s: worst time %d ms (%s), peak memory %d KB (%s), faults %d\n", build, worst, worstFile, peak, peakFile, bad
            exit (bad > 0)
        }' "$out" || failed=1
done
echo "soak: per-file lines in $log"
exit $failed
