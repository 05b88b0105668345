#!/usr/bin/env bash
# Runs a command with a private X server of its own, ended afterwards.
#   tests/with-xvfb.sh WIDTHxHEIGHT COMMAND [ARG...]   (under tests/hermetic.sh)
set -euo pipefail
source "$(dirname "$0")/../scripts/xvfb.sh"
work=$(mktemp -d)
trap 'kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
start_xvfb "$1" "$work"
shift
"$@"
