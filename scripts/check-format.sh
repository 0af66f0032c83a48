#!/usr/bin/env bash
# Fails when a C++ file under src, tests, bench or fuzz is not as clang-format 14 writes it
# (the repository's .clang-format); lists the files that differ. Fix with clang-format-14 -i.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
bad=()
for f in "${files[@]}"; do
    "$format" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
    printf 'not formatted: %s\n' "${bad[@]}" >&2
    exit 1
fi
