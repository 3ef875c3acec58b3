#!/bin/sh
# Whole-program comparisons against peers on the same files, in one run:
#   orvex-dump --hex  vs  xxd          (256 MiB of mixed bytes)
#   line index        vs  wc -l        (the benchmark's file size and shape)
#   search            vs  grep -F -c, grep -iF -c (the benchmark's 1 GiB corpus)
# Prints the best of three wall-clock times of each and the ratio.
#   bench/compare.sh [BUILD_DIR]
set -eu
build=${1:-build/native}
dump=$build/tools/dump/orvex-dump
bench=$build/bench/orvex-bench
dir=$(mktemp -d /tmp/orvex-compare.XXXXXX)
trap 'rm -rf "$dir"' EXIT

best() {  # best wall time in seconds of three runs of "$@" > /dev/null
    b=""
    for _ in 1 2 3; do
        s=$(date +%s.%N)
        "$@" >/dev/null
        e=$(date +%s.%N)
        t=$(echo "$e - $s" | bc -l)
        if [ -z "$b" ] || [ "$(echo "$t < $b" | bc -l)" = 1 ]; then b=$t; fi
    done
    echo "$b"
}

python3 - "$dir" <<'PY'
import os, sys
d = sys.argv[1]
block = bytes((i * 131 + (i >> 7)) & 0xFF for i in range(1 << 20))
with open(os.path.join(d, "mixed.bin"), "wb") as f:
    for _ in range(256):
        f.write(block)
line = (b"abcdefghijklmnopqrstuvwxyz" * 40)[:998] + b"\r\n"
with open(os.path.join(d, "lines.txt"), "wb") as f:
    f.write(line * (64 * 1024 * 1024 // len(line)))
PY
cat "$dir/mixed.bin" "$dir/lines.txt" >/dev/null  # into the page cache

xxd_t=$(best xxd "$dir/mixed.bin")
dump_t=$(best "$dump" --hex "$dir/mixed.bin")
printf 'hex dump of 256 MiB: xxd %.3f s, orvex-dump --hex %.3f s: %.1f times faster\n' \
    "$xxd_t" "$dump_t" "$(echo "$xxd_t / $dump_t" | bc -l)"

wc_t=$(best wc -l "$dir/lines.txt")
size=$(stat -c %s "$dir/lines.txt")
wc_rate=$(echo "$size / $wc_t / 1000000000" | bc -l)
idx_rate=$("$bench" --benchmark_filter='BM_LineIndex/wrap:0' --benchmark_format=csv 2>/dev/null |
    awk -F, '/BM_LineIndex/ {print $6 / 1e9}')
printf 'line index: wc -l %.2f GB/s, GetLinePtrs %.2f GB/s: %.2f of wc -l\n' \
    "$wc_rate" "$idx_rate" "$(echo "$idx_rate / $wc_rate" | bc -l)"

# Search: the benchmark writes its corpus so that grep reads the same bytes
# (from the page cache); both scan all of it, as neither string is in it.
corpus=$dir/corpus.txt
ORVEX_SEARCH_CORPUS=$corpus "$bench" --benchmark_filter='BM_Find' \
    --benchmark_format=csv 2>/dev/null >"$dir/find.csv"
cat "$corpus" >/dev/null
size=$(stat -c %s "$corpus")
grepc() { LC_ALL=C grep "$@" || [ $? -eq 1 ]; }  # 1: no line matched
find_rate() {  # pattern index, backward, exact
    awk -F, -v n="BM_Find/pattern:$1/back:$2/exact:$3" \
        '{ m = $1; gsub(/"/, "", m); sub(/\/real_time$/, "", m); if (m == n) print $6 / 1e9 }' \
        "$dir/find.csv"
}
i=0
for pat in "jukebox quiz" "nation state"; do
    for opt in -F -iF; do
        exact=$([ "$opt" = -F ] && echo 1 || echo 0)
        g_t=$(best grepc -c "$opt" "$pat" "$corpus")
        g_rate=$(echo "$size / $g_t / 1000000000" | bc -l)
        fwd=$(find_rate $i 0 "$exact")
        back=$(find_rate $i 1 "$exact")
        printf 'search "%s": grep %s %.2f GB/s; forward %.2f GB/s (%.2f of grep), backward %.2f GB/s (%.2f of grep)\n' \
            "$pat" "$opt" "$g_rate" "$fwd" "$(echo "$fwd / $g_rate" | bc -l)" \
            "$back" "$(echo "$back / $g_rate" | bc -l)"
    done
    i=$((i + 1))
done
