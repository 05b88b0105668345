#!/usr/bin/env bash
# Runs a command with a private display and a fresh 32-bit Wine prefix,
# then tears both down: scripts/with-wine.sh ctest --test-dir build/win32
set -euo pipefail

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
cleanup()
{
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

wineboot -i >/dev/null 2>&1
# No window manager runs here; unmanaged windows close without a 2 s wait.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Wine has no Courier New; its metric twin keeps the boxes' look.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1
wineserver -w

"$@"
