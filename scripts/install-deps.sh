#!/usr/bin/env bash
# Installs what building, running and testing the tool needs, from Debian's packages.
set -euo pipefail
packages=(
    build-essential cmake ninja-build ccache pkg-config
    clang-14 libclang-rt-14-dev
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2
    libdeflate-dev libpng-dev
    xvfb xauth xdotool
    desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
