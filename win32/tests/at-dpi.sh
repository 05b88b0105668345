#!/usr/bin/env bash
# Runs a Windows program under Wine with the display set to DPI dots per
# inch, as a user's scale setting would, and sets it back to 96 afterwards.
#   at-dpi.sh DPI PROGRAM.exe [ARG...]
set -uo pipefail
dpi=$1
shift
key='HKCU\Control Panel\Desktop'
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
wine "$@"
status=$?
wine reg add "$key" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver -w
exit $status
