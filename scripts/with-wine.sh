#!/usr/bin/env bash
# Runs a command with a private display and a fresh Wine prefix (32-bit, or
# 64-bit with ARF_WINEARCH=win64), then tears both down:
#   scripts/with-wine.sh ctest --test-dir build/win32
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEARCH=${ARF_WINEARCH:-win32} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

start_xvfb 1920x1200 "$work"
cleanup()
{
    wineserver -k >/dev/null 2>&1 || true
    kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

wineboot -i >/dev/null 2>&1
# No window manager runs here; unmanaged windows close without a 2 s wait.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Wine has no Courier New; its metric twin keeps the boxes' look.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f >/dev/null 2>&1
wineserver -w

"$@"
