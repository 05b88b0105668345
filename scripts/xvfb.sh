# Sourced: start_xvfb WIDTHxHEIGHT DIR [OPTION...] starts a private Xvfb on a free display,
# exports DISPLAY and sets XVFB_PID. -noreset because Xvfb otherwise
# regenerates when its last client leaves, and a client connecting in that
# moment is refused (the accessibility bus connects and leaves at start-up).
start_xvfb()
{
    Xvfb -displayfd 3 -noreset -screen 0 "$1x24" -nolisten tcp "${@:3}" 3>"$2/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$2/display" ] && break; sleep 0.05; done
    export DISPLAY=":$(cat "$2/display")"
    for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.05; done
}
