# Helpers for tests of the real binary: a private virtual X server, the
# viewer in a scratch folder, XTEST input through xdotool, screenshots.
# Sourced by the scripts beside it; they get the binary and the source folder.
set -u
BIN=$1
SRC=$2
. "$SRC/scripts/common.sh"
WORK=$(mktemp -d)
VPID=
trap 'finish_all' EXIT

finish_all() {
    [ -n "$VPID" ] && kill "$VPID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}

fail() {
    echo "FAIL: $*"
    [ -s "$WORK/stderr" ] && { echo "viewer stderr:"; head -c 4000 "$WORK/stderr"; }
    exit 1
}

# Runs the viewer in $WORK (holding colours.txt if the caller put one there)
# and waits for its window.
start_viewer() {
    (cd "$WORK" && exec "$BIN" >"$WORK/stdout" 2>"$WORK/stderr") &
    VPID=$!
    WID=$(timeout 30 xdotool search --sync --name '^Vellmoor$' | head -n 1)
    [ -n "$WID" ] || fail "no Vellmoor window"
    xdotool mousemove 250 250  # no window manager: the pointer's window has the focus
    sleep 1.5                  # a few frames
}

# Prints a checksum of the window's current picture.
shot() { xwd -id "$WID" -silent | md5sum | cut -d' ' -f1; }

key() { xdotool key --delay 30 "$@"; sleep 0.4; }

# Sends Escape and checks the viewer ended with status 0.
quit_viewer() {
    xdotool key Escape
    local rc=0
    timeout 10 tail --pid="$VPID" -f /dev/null || fail "viewer did not end on Escape"
    wait "$VPID" || rc=$?
    VPID=
    [ "$rc" -eq 0 ] || fail "viewer ended with status $rc"
}
