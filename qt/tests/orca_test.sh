#!/usr/bin/env bash
# Runs orca_test.py: the real program and the real Orca on a private X
# server with openbox, a private session bus (which starts the
# accessibility bus), and speech-dispatcher speaking through espeak-ng into
# libao's null driver (it leaves a second after its last client). Orca's
# debug log, written to a terminal that `script` copies to a file, records
# every utterance as it is spoken.
#
# Orca will not start beside another Orca of the same user, and its
# --replace kills every one it finds, even in PID namespaces below. So the
# test's Orca gets a PID namespace and /proc of its own, where it sees only
# itself (for a user other than root, inside a user namespace that maps
# the user to itself); where no such namespace can be had, the test is
# skipped rather than run beside the user's own screen reader. A stand-in
# `orca` started first must still be running at the end.
#   orca_test.sh PROGRAM        (under tests/hermetic.sh)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Propagation unchanged, as inside a chroot the root is no mount point;
# --mount-proc makes /proc private before it mounts the new one on it.
private=(unshare --mount --propagation unchanged --pid --fork --kill-child --mount-proc)
[ "$(id -u)" -eq 0 ] || private=(unshare --user --map-current-user "${private[@]:1}")
if ! "${private[@]}" true 2>/dev/null; then
    echo "SKIPPED: no PID namespace of its own for Orca (${private[*]} fails)"
    exit 77
fi

source "$here/../../scripts/xvfb.sh"
# No key repeat: a key the test holds "about 0.1 s" is held longer on a
# busy machine, and a repeated Orca command presses a cell twice.
start_xvfb 1024x768 "$ARF_TEST_WORLD" -r
mkdir "$ARF_TEST_WORLD/bin"
ln -s "$(command -v sleep)" "$ARF_TEST_WORLD/bin/orca"
# Its name is what Orca looks for; it goes when this script goes.
setpriv --pdeathsig KILL -- "$ARF_TEST_WORLD/bin/orca" infinity &
other=$!
for _ in $(seq 100); do [ "$(cat "/proc/$other/comm" 2>/dev/null)" = orca ] && break; sleep 0.05; done
trap 'kill $XVFB_PID $other 2>/dev/null' EXIT

mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
Timeout 1
CONF
echo "default_driver=null" >"$HOME/.libao"

log=$ARF_TEST_WORLD/orca.log
dbus-run-session -- bash -c '
    openbox --sm-disable >/dev/null 2>&1 &
    # On a terminal Orca writes its log line by line, not in blocks.
    "${@:5}" script -qfc "orca --debug-file=/dev/tty" "$2" >/dev/null 2>&1 </dev/null &
    /usr/bin/python3 "$1/orca_test.py" "$3" "$2" "$4"
    status=$?
    # Its namespace goes with unshare, which lets no gentler signal by.
    kill %1 2>/dev/null
    kill -KILL %2
    wait 2>/dev/null
    exit $status
' bash "$here" "$log" "$1" "$other" "${private[@]}"
