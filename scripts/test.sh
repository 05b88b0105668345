#!/usr/bin/env bash
# Installs what the builds need on Debian 12, builds the Linux program, the
# Windows executable and the web page with all their tests, and runs every
# test: the Linux ones natively (Qt on its offscreen platform, a private Xvfb
# or a headless Weston), with the AppStream catalog and the Debian package
# checked, once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Windows ones under Wine, and the page's in headless Chromium, Firefox
# and WebKitGTK. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

install_packages "${CORE_PACKAGES[@]}" "${QT_PACKAGES[@]}" "${WIN32_PACKAGES[@]}" "${WINE_PACKAGES[@]}" \
    "${WEB_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}"

jobs=$(nproc)
cmake --preset linux
cmake --build --preset linux --parallel "$jobs"
ctest --preset linux
scripts/package-check.sh build/linux

# Any sanitizer report makes the process that saw it fail, and so its test.
cmake --preset sanitize
cmake --build --preset sanitize --parallel "$jobs"
ctest --preset sanitize

cmake --preset win32
cmake --preset win32 -B build/win32-again
cmake --build --preset win32 --parallel "$jobs"
# The same tree must link the same bytes, wherever it is built.
cmake --build build/win32-again --parallel "$jobs" --target addressrangefinder
cmp build/win32/addressrangefinder.exe build/win32-again/addressrangefinder.exe
echo "two builds of addressrangefinder.exe are identical ($(stat -c %s build/win32/addressrangefinder.exe) bytes)"
if runs_i386_code; then
    echo "this machine's kernel runs 32-bit x86 code: the Windows tests run the 32-bit executable under 32-bit Wine"
    scripts/with-wine.sh ctest --preset win32
else
    echo "this machine's kernel cannot run 32-bit x86 code, so 32-bit Wine cannot start:" \
         "the Windows tests run a 64-bit build of the same sources under 64-bit Wine"
    cmake --preset win64
    cmake --build --preset win64 --parallel "$jobs"
    ARF_WINEARCH=win64 scripts/with-wine.sh ctest --preset win64
fi

scripts/web.sh
# The tests' one download: axe-core, pinned, checked against its integrity.
web/tests/fetch_axe.py build/web/axe.min.js
ctest --preset web
