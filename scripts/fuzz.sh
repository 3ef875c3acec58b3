#!/bin/sh
# Runs every libFuzzer target of the fuzz build for SECONDS each, seeded from
# tests/fuzz/seeds/<target> (made by the seed scripts) plus a corpus kept in
# build/fuzz/corpus/<target>.
#   scripts/fuzz.sh SECONDS [TARGET...]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
seconds=${1:-15}
shift || true
bin=build/fuzz/tests/fuzz
targets=${*:-$(cd "$bin" && ls fuzz_* 2>/dev/null | grep -v '\.' || true)}
for t in $targets; do
    corpus=build/fuzz/corpus/$t
    mkdir -p "$corpus"
    seeds=""
    [ -d "build/fuzz/seeds/$t" ] && seeds="build/fuzz/seeds/$t"
    echo "fuzz $t for ${seconds}s"
    "$bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" $seeds >"build/fuzz/$t.log" 2>&1 || {
        tail -40 "build/fuzz/$t.log"
        echo "fuzz target $t failed" >&2
        exit 1
    }
    grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|cov:' "build/fuzz/$t.log" | tail -3
done
