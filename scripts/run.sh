#!/bin/sh
# Installs what is missing, builds, and shows FILE: today with orvex-dump,
# which prints the rows the viewer draws.
#   scripts/run.sh FILE [orvex-dump options]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
if [ $# -lt 1 ]; then
    echo "usage: scripts/run.sh FILE [orvex-dump options]" >&2
    exit 2
fi
file=$1
shift
scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target orvex-dump -j2 >/dev/null
exec build/native/tools/dump/orvex-dump "$@" "$file"
