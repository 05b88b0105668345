#!/usr/bin/env bash
# Installs what the program needs on Debian 12, builds it in Release and
# opens the window (a display is needed: DISPLAY or WAYLAND_DISPLAY).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

install_packages "${QT_PACKAGES[@]}"

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DARF_BUILD_TESTS=OFF -DARF_BUILD_BENCHMARKS=OFF
cmake --build build/release --parallel "$(nproc)" --target addressrangefinder
exec build/release/addressrangefinder
