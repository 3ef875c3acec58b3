#!/bin/sh
# Gathers the seed corpora of the fuzz targets from the test fixtures and a
# few small real files of the system.
#   make-seeds.sh OUTDIR FIXTUREDIR
set -eu
out=$1
fixtures=$2
mkdir -p "$out/fuzz_exe" "$out/fuzz_icon" "$out/fuzz_font"

cp "$fixtures"/*.exe "$fixtures"/*.dll "$out/fuzz_exe/"
# The hostile executables: counts, ids, names and sizes chosen to break a
# reader that trusts them.
python3 "$(dirname "$0")/../hostile/make_hostile.py" "$out/fuzz_exe"
cp "$fixtures"/images/*.ico "$fixtures"/images/*.cur "$out/fuzz_icon/"

# The smallest PE32+ and PE32 DLLs of Wine, when present.
for dir in /usr/lib/x86_64-linux-gnu/wine/x86_64-windows \
           "$(dirname "$0")/../../build/golden-inputs/libwine-i386/usr/lib/i386-linux-gnu/wine/i386-windows"; do
    [ -d "$dir" ] || continue
    find "$dir" -maxdepth 1 -name '*.dll' -size -24k -size +4k | sort | head -n 8 |
        while read -r f; do cp "$f" "$out/fuzz_exe/$(basename "$(dirname "$f")")-$(basename "$f")"; done
done
# Icons inside Wine's own programs are not separate files: the fixtures'
# icon files are the icon seeds. Fonts: the smallest TrueType files.
find /usr/share/fonts -name '*.ttf' -size -120k 2>/dev/null | sort | head -n 4 |
    while read -r f; do cp "$f" "$out/fuzz_font/"; done
echo "seeds: $(ls "$out/fuzz_exe" | wc -l) exe, $(ls "$out/fuzz_icon" | wc -l) icon, $(ls "$out/fuzz_font" | wc -l) font"
