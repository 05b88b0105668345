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
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Release
cmake --build build/linux --parallel "$jobs"
ctest --test-dir build/linux --output-on-failure
scripts/package-check.sh build/linux

# Any sanitizer report makes the process that saw it fail, and so its test.
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DARF_SANITIZE=ON -DARF_BUILD_BENCHMARKS=OFF
cmake --build build/sanitize --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure

for tree in build/win32 build/win32-again; do
    cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
done
cmake --build build/win32 --parallel "$jobs"
# The same tree must link the same bytes, wherever it is built.
cmake --build build/win32-again --parallel "$jobs" --target addressrangefinder
cmp build/win32/addressrangefinder.exe build/win32-again/addressrangefinder.exe
echo "two builds of addressrangefinder.exe are identical ($(stat -c %s build/win32/addressrangefinder.exe) bytes)"
if runs_i386_code; then
    scripts/with-wine.sh ctest --test-dir build/win32 --output-on-failure
else
    echo "this machine's kernel cannot run 32-bit x86 code, so 32-bit Wine cannot start:" \
         "the Windows tests run a 64-bit build of the same sources under 64-bit Wine"
    cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
    cmake --build build/win64 --parallel "$jobs"
    ARF_WINEARCH=win64 scripts/with-wine.sh ctest --test-dir build/win64 --output-on-failure
fi

scripts/web.sh
# The tests' one download: axe-core, pinned, checked against its integrity.
web/tests/fetch_axe.py build/web/axe.min.js
ctest --test-dir build/web --output-on-failure
