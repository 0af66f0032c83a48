#!/usr/bin/env bash
# Runs every fuzz target (or those named) for a while, by hand:
#   scripts/fuzz.sh [-t seconds-per-target] [target...]
# Builds them into build-asan/ with clang 14 first, with FUZZ_BUILD_JOBS jobs (default: one a
# processor). New inputs are kept in build-asan/fuzz/work/<target>; a crasher lands beside it
# as <target>-crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=600
if [ "${1:-}" = "-t" ]; then
    seconds=$2
    shift 2
fi
targets=("$@")
((${#targets[@]})) ||
    targets=(maths_fuzz skin_fuzz settings_fuzz picture_fuzz methods_fuzz picture_reader_fuzz)
scripts/build-asan.sh "${targets[@]}"
export QT_QPA_PLATFORM=offscreen MALVOREN_MAX_PIXELS=4000000 MALVOREN_WORKERS=1 MALVOREN_RESOURCES_DIR="$PWD/resources"
for t in "${targets[@]}"; do
    work="build-asan/fuzz/work/$t"
    mkdir -p "$work"
    dict=()
    [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
    echo "== $t for ${seconds}s"
    "build-asan/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 "${dict[@]}" -artifact_prefix="build-asan/fuzz/$t-" "$work" \
        "fuzz/corpus/$t"
done
