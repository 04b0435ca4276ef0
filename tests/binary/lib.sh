# Helpers for tests of the real binary: a private virtual X server, the
# viewer in a scratch folder, XTEST input through xdotool, screenshots.
# Sourced by the scripts beside it, which get the binary, the source folder
# and the frame-counting preload as their first three arguments.
# Every wait is for a condition, bounded by DEADLINE seconds.
set -euo pipefail
WORK= VPID= XVFB_PID= ENDING= COPY=
trap 'finish_all' EXIT
BIN=$1 SRC=$2 FRAMESLIB=$(realpath "$3")
shift 3
DEADLINE=${VELLMOOR_TEST_DEADLINE:-90}
. "$SRC/scripts/common.sh"
WORK=$(mktemp -d)

finish_all() {
    local p
    for p in $VPID $ENDING; do kill -9 "$p" 2>/dev/null || true; done
    [ -z "$XVFB_PID" ] || { kill "$XVFB_PID"; kill -CONT "$XVFB_PID"; } 2>/dev/null || true
    wait 2>/dev/null || true
    [ -z "$WORK" ] || rm -rf "$WORK"
    [ -z "$COPY" ] || rm -rf "$COPY"
}

fail() {
    echo "FAIL: $*"
    [ ! -s "$WORK/stderr" ] || { echo "viewer stderr:"; head -c 4000 "$WORK/stderr"; }
    exit 1
}

running() { [ -n "$VPID" ] && kill -0 "$VPID" 2>/dev/null; }

# wait_for WHAT COMMAND...: polls COMMAND until it succeeds; fails the test
# after DEADLINE seconds, or at once if the viewer died meanwhile.
wait_for() {
    local what=$1 end=$((SECONDS + DEADLINE))
    shift
    until "$@"; do
        [ -z "$VPID" ] || running || fail "the viewer died while waiting: $what"
        ((SECONDS < end)) || fail "$what (gave up after $DEADLINE s)"
        sleep 0.05
    done
}

frames() { frame_count "$WORK/frames"; }  # presented so far
reached() { (($(frames) >= $1)); }
# Waits until N more frames have been presented: the last of them started
# after everything sent before the call had reached the viewer.
wait_frames() { local want=$(($(frames) + $1)); wait_for "$1 more frames" reached "$want"; }

# Runs the viewer in $RUNDIR, by default $WORK (holding colours.txt if the
# caller put one there),
# waits for its window and its first frames. OUT says where its standard
# output goes: file (the default, $WORK/stdout), closed, gone (a pipe whose
# reader leaves after 3 bytes), full (/dev/full), allclosed (0, 1 and 2).
start_viewer() {
    local out=${1:-file} dir=${RUNDIR:-$WORK}
    export LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$FRAMESLIB" VELLMOOR_FRAMES="$WORK/frames"
    case $out in
    file) (cd "$dir" && exec "$BIN" >"$WORK/stdout" 2>"$WORK/stderr") & ;;
    closed) (cd "$dir" && exec "$BIN" >&- 2>"$WORK/stderr") & ;;
    allclosed) (cd "$dir" && exec "$BIN" <&- >&- 2>&-) & ;;
    full) (cd "$dir" && exec "$BIN" >/dev/full 2>"$WORK/stderr") & ;;
    gone)
        mkfifo "$WORK/pipe"
        head -c 3 <"$WORK/pipe" >"$WORK/stdout" &
        (cd "$dir" && exec "$BIN" >"$WORK/pipe" 2>"$WORK/stderr") & ;;
    *) fail "no output mode $out" ;;
    esac
    VPID=$!
    unset LD_PRELOAD VELLMOOR_FRAMES
    WID=$(timeout "$DEADLINE" xdotool search --sync --limit 1 --name '^Vellmoor$') || fail "no Vellmoor window"
    xdotool mousemove 250 250  # no window manager: the pointer's window has the focus
    wait_frames 3
}

# Prints a checksum of the window's current picture.
shot() {
    xwd -id "$WID" -silent >"$WORK/shot.xwd" || fail "xwd could not read the window"
    md5sum <"$WORK/shot.xwd" | cut -d' ' -f1
}

# True when the window shows a drawn frame, not the black of a new window.
# (However few colours the view holds: a random landscape can put the eye in
# a pit that fills the view with one.)
drawn() {
    xwd -id "$WID" -silent >"$WORK/shot.xwd" || fail "xwd could not read the window"
    [ "$(convert "xwd:$WORK/shot.xwd" -format '%[fx:maxima>0.1]' info:)" = 1 ]
}

differs() { [ "$(shot)" != "$1" ]; }

# True when the viewer's standard output ends with TEXT.
output_ends() { local out; out=$(cat "$WORK/stdout"; echo .); [[ ${out%.} == *"$1" ]]; }
# The console lines of the shipped colours.txt, read and taken.
SHIPPED_RAMP=$'\nGetting colours.txt..Got it!\n256 3\n768'


# Sends keys, then waits until frames drawn after them are on screen.
key() { xdotool key --delay 30 "$@"; wait_frames 3; }

# Sends Escape and checks that the viewer ends with status 0.
quit_viewer() {
    xdotool key Escape
    local rc=0
    ENDING=$VPID VPID=
    gone() { ! kill -0 "$ENDING" 2>/dev/null; }
    wait_for "the viewer did not end on Escape" gone
    wait "$ENDING" || rc=$?
    ENDING=
    [ "$rc" -eq 0 ] || fail "viewer ended with status $rc"
}
