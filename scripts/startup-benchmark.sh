#!/usr/bin/env bash
# Start-up time and memory of the tool against a bare Qt window, on a private
# Xvfb display with no window manager: scripts/startup-benchmark.sh [RUNS]
# Expects the build that scripts/test.sh makes (build/linux).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/linux

source scripts/xvfb.sh

work=$(mktemp -d)
start_xvfb 1024x768 "$work"
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT

"$build/bench/startup_benchmark" \
    "$build/addressrangefinder" "Address range finder" \
    "$build/bench/bare_window" "Bare window" "${1:-10}"
