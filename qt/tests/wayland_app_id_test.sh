#!/usr/bin/env bash
# Starts the real program on a headless Weston and checks that it names
# itself by its desktop entry's id, so that docks and task switchers tie the
# window to its launcher, and that it asks for one size only.
#   wayland_app_id_test.sh PROGRAM DESKTOP_FILE   (run under tests/hermetic.sh)
set -uo pipefail
program=$1 entry=$2
expected=$(basename "$entry" .desktop)
log=$ARF_TEST_WORLD/client.log
source "$(dirname "$0")/../../tests/checks.sh"

weston --backend=headless-backend.so --socket=arf-wayland --idle-time=0 --no-config \
    >"$ARF_TEST_WORLD/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/arf-wayland" ] && break; sleep 0.05; done
check "headless Weston is listening" '[ -S "$XDG_RUNTIME_DIR/arf-wayland" ]'

WAYLAND_DISPLAY=arf-wayland QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$program" >"$log" 2>&1 &
client=$!
for _ in $(seq 200); do grep -q 'set_app_id(' "$log" && grep -q 'wl_surface[@#][0-9]*\.commit' "$log" && break; sleep 0.05; done
kill "$client" "$weston" 2>/dev/null; wait "$client" "$weston" 2>/dev/null

# libwayland writes an object as interface@id up to 1.22 and interface#id since.
toplevel='xdg_toplevel[@#][0-9]*'
app_id=$(grep -o "$toplevel\.set_app_id(\"[^\"]*\")" "$log" | tail -n 1 | sed 's/.*("\(.*\)")/\1/')
check "app_id is \"$expected\" (got \"$app_id\")" '[ "$app_id" = "$expected" ]'
check "the title is set on the same kind of surface" 'grep -q "$toplevel\.set_title(\"Address range finder\")" "$log"'
# The last sizes sent, title bar included: equal, the compositor offers no
# resize or maximize of its own.
min=$(grep -o "$toplevel\.set_min_size([0-9, ]*)" "$log" | tail -n 1 | sed 's/.*(\(.*\))/\1/')
max=$(grep -o "$toplevel\.set_max_size([0-9, ]*)" "$log" | tail -n 1 | sed 's/.*(\(.*\))/\1/')
check "one size for the compositor (min $min, max $max)" '[ -n "$min" ] && [ "$min" = "$max" ]'
check "no platform plugin is missing" '! grep -q "Could not find the Qt platform plugin" "$log"'
verdict
