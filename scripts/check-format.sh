#!/bin/sh
# Fails when a C or C++ source under src/, tools/, bench/ or tests/ is not as
# clang-format (.clang-format at the top of the tree) would write it.
#   scripts/check-format.sh        check
#   scripts/check-format.sh --fix  rewrite the files in place
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'bench/*.cpp' \
    'bench/*.h' 'tests/*.cpp' 'tests/*.h' 'tests/*.c')
if [ "${1:-}" = "--fix" ]; then
    # shellcheck disable=SC2086
    clang-format -i $files
else
    # shellcheck disable=SC2086
    clang-format --dry-run --Werror $files
fi
