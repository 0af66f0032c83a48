#!/usr/bin/env bash
# Configures and builds the sanitizer tree into build-asan/: clang 14 with AddressSanitizer and
# UndefinedBehaviorSanitizer stopping at the first finding, the unit tests and the fuzz targets,
# with FUZZ_BUILD_JOBS jobs (default: one a processor). It leaves out what only the release tree
# runs: the benchmarks, and the tests that show windows for real (gui-smoke), whose X client
# libraries leak at exit. Each test executable runs whole, as one CTest test: a sanitized
# process takes long to start, and one a case made up most of the run's time. With target
# names, builds only those.
#   scripts/build-asan.sh [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMALVOREN_SANITIZE=ON -DMALVOREN_FUZZ=ON -DMALVOREN_BUILD_BENCH=OFF -DMALVOREN_GUI_SMOKE=OFF \
    -DMALVOREN_TESTS_PER_BINARY=ON \
    ${MALVOREN_WERROR:+-DMALVOREN_WERROR="$MALVOREN_WERROR"} "${launcher[@]}" >/dev/null
targets=()
(($#)) && targets=(--target "$@")
cmake --build build-asan -j "${FUZZ_BUILD_JOBS:-$(nproc)}" "${targets[@]}"
