#!/usr/bin/env bash
# Runs atspi_test.py against the real program on a private X server and a
# private D-Bus session, which starts its own accessibility bus.
#   atspi_test.sh PROGRAM        (under tests/hermetic.sh)
set -uo pipefail
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ARF_TEST_WORLD/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$ARF_TEST_WORLD/display" ] && break; sleep 0.05; done
display=$(cat "$ARF_TEST_WORLD/display")
for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
export DISPLAY=":$display"
dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/atspi_test.py" "$1"
