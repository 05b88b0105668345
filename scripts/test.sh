#!/usr/bin/env bash
# Installs what the build needs on Debian 12, builds everything and runs every
# test. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

install_packages "${CORE_PACKAGES[@]}" "${QT_PACKAGES[@]}"

cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Release
cmake --build build/linux --parallel "$(nproc)"
ctest --test-dir build/linux --output-on-failure
