#!/usr/bin/env bash
# Builds the browser page, build/web/index.html: the core compiled to
# WebAssembly with clang and lld, written with its script and style into one
# file. Installs what it needs with apt-get first (root or sudo). Prints the
# page's path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

install_packages "${WEB_PACKAGES[@]}"
cmake --no-warn-unused-cli --preset web >/dev/null
cmake --build --preset web --parallel 2 >/dev/null
echo "$PWD/build/web/index.html"
