#!/usr/bin/env bash
# Start-up time and memory of the tool against a bare Qt window, on a private
# Xvfb display with no window manager: scripts/startup-benchmark.sh [RUNS]
# Expects the build that scripts/test.sh makes (build/linux).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/linux

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done

DISPLAY=":$(cat "$work/display")" "$build/bench/startup_benchmark" \
    "$build/addressrangefinder" "Address range finder" \
    "$build/bench/bare_window" "Bare window" "${1:-10}"
