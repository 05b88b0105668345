#!/usr/bin/env bash
# Runs atspi_test.py against the real program on a private X server and a
# private D-Bus session, which starts its own accessibility bus.
#   atspi_test.sh PROGRAM        (under tests/hermetic.sh)
set -uo pipefail
source "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb 1024x768 "$ARF_TEST_WORLD"
trap 'kill $XVFB_PID 2>/dev/null' EXIT
dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/atspi_test.py" "$1"
