#!/usr/bin/env bash
# Runs orca_test.py: the real program and the real Orca on a private X
# server with openbox, a private session bus (which starts the
# accessibility bus), and speech-dispatcher speaking through espeak-ng into
# libao's null driver (it leaves a second after its last client). Orca's
# debug log, written to a terminal that `script` copies to a file, records
# every utterance as it is spoken.
#   orca_test.sh PROGRAM        (under tests/hermetic.sh)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xvfb.sh"
start_xvfb 1024x768 "$ARF_TEST_WORLD"
trap 'kill $XVFB_PID 2>/dev/null' EXIT

mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
Timeout 1
EOF
echo "default_driver=null" >"$HOME/.libao"

log=$ARF_TEST_WORLD/orca.log
dbus-run-session -- bash -c '
    openbox --sm-disable >/dev/null 2>&1 &
    # On a terminal Orca writes its log line by line, not in blocks.
    script -qfc "orca --replace --debug-file=/dev/tty" "$2" >/dev/null 2>&1 </dev/null &
    /usr/bin/python3 "$1/orca_test.py" "$3" "$2"
    status=$?
    kill %1 %2 2>/dev/null
    exit $status
' bash "$here" "$log" "$1"
