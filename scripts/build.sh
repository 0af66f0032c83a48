#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug info).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${MALVOREN_WERROR:+-DMALVOREN_WERROR="$MALVOREN_WERROR"} "${launcher[@]}" >/dev/null
cmake --build build -j "$(nproc)"
