#!/usr/bin/env bash
# Installs what the program needs on Debian 12, builds it in Release and
# opens the window (a display is needed: DISPLAY or WAYLAND_DISPLAY).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

install_packages "${QT_PACKAGES[@]}"

cmake --preset release
cmake --build --preset release --parallel "$(nproc)"
exec build/release/addressrangefinder
