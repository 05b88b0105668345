#!/usr/bin/env bash
# Runs a test in a world of its own: empty HOME and XDG folders, no D-Bus
# session (so nothing is auto-launched) and no desktop around it, removed
# afterwards. Tests pass the same whatever the machine has running.
#   tests/hermetic.sh COMMAND [ARG...]
set -euo pipefail
world=$(mktemp -d "${TMPDIR:-/tmp}/arf-test-XXXXXX")
trap 'rm -rf "$world"' EXIT
mkdir -p "$world"/{home,config,cache,data,state,runtime}
chmod 700 "$world/runtime"
unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER XDG_CURRENT_DESKTOP XDG_SESSION_TYPE DESKTOP_SESSION \
      DBUS_SYSTEM_BUS_ADDRESS AT_SPI_BUS_ADDRESS XAUTHORITY
export HOME=$world/home XDG_CONFIG_HOME=$world/config XDG_CACHE_HOME=$world/cache \
       XDG_DATA_HOME=$world/data XDG_STATE_HOME=$world/state XDG_RUNTIME_DIR=$world/runtime \
       DBUS_SESSION_BUS_ADDRESS=disabled: ARF_TEST_WORLD=$world
"$@"
