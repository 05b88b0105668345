#!/usr/bin/env bash
# Installs what the builds need on Debian 12, builds the Linux program and the
# Windows executable with all their tests, and runs every test: the Linux
# ones natively (Qt on its offscreen platform), the Windows ones under Wine.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

install_packages "${CORE_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${WIN32_PACKAGES[@]}"

jobs=$(nproc)
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Release
cmake --build build/linux --parallel "$jobs"
ctest --test-dir build/linux --output-on-failure

cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/win32 --parallel "$jobs"
scripts/with-wine.sh ctest --test-dir build/win32 --output-on-failure
