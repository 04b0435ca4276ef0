# Helpers for tests of the real binary: a private virtual X server, the
# viewer in a scratch folder, XTEST input through xdotool, screenshots.
# Sourced by the scripts beside it, which get the binary, the source folder
# and the frame-counting preload as their first three arguments.
# Every wait is for a condition, bounded by DEADLINE seconds.
# VELLMOOR_LAUNCH runs the binary through a launcher (wine, for the Windows
# .exe); frames cannot be counted there, so a wait for frames is a wait for
# a drawn picture that holds still, and console lines end in CR LF.
set -euo pipefail
WORK= VPID= XVFB_PID= ENDING= COPY=
trap 'finish_all' EXIT
BIN=$1 SRC=$2 FRAMESLIB=$(realpath "$3")
shift 3
DEADLINE=${VELLMOOR_TEST_DEADLINE:-90} LAUNCH=${VELLMOOR_LAUNCH:-}
. "$SRC/scripts/common.sh"
WORK=$(mktemp -d)

# Ends the launcher's Wine session, if any: it outlives its last program by
# seconds, and a program started into it whose X server has gone never shows
# its window. So each test starts with none and ends its own.
end_wine() {
    [ -z "$LAUNCH" ] || { wineserver -k; timeout "$DEADLINE" wineserver -w; } 2>/dev/null || true
}
end_wine

finish_all() {
    local p
    for p in $VPID $ENDING; do kill -9 "$p" 2>/dev/null || true; done
    end_wine
    [ -z "$XVFB_PID" ] || { kill "$XVFB_PID"; kill -CONT "$XVFB_PID"; } 2>/dev/null || true
    wait 2>/dev/null || true
    [ -z "$WORK" ] || rm -rf "$WORK"
    [ -z "$COPY" ] || rm -rf "$COPY"
}

# On standard error, and ending the test from inside $(...) too.
fail() {
    { echo "FAIL: $*"
      [ ! -s "$WORK/stderr" ] || { echo "viewer stderr:"; head -c 4000 "$WORK/stderr"; }
      seen; } >&2
    [ "$BASHPID" = $$ ] || kill -USR1 $$
    exit 1
}
trap 'exit 1' USR1

# What there was at a failure: the viewer, the windows, Wine's processes.
seen() {
    { [ -z "$VPID" ] || echo "viewer (pid $VPID): $(running && echo running || echo ended)"
      [ -z "${DISPLAY:-}" ] || { echo "windows on $DISPLAY:"; timeout 10 xwininfo -root -tree | grep '^ *0x' | head -n 40; }
      [ -z "$LAUNCH" ] || { echo "processes:"; ps -eo pid,stat,etime,args | grep -Ei '[w]ine|[.]exe' | head -n 20; }
    } 2>&1 || true
}

# Ends the test as skipped (ctest takes status 77 as a skip), saying why.
skip() { echo "SKIP: $*"; exit 77; }

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
wait_frames() {
    [ -z "$LAUNCH" ] || { wait_for "a settled picture" settled; return; }
    local want=$(($(frames) + $1))
    wait_for "$1 more frames" reached "$want"
}
settled() { local a; a=$(shot); sleep 0.2; drawn && [ "$(shot)" = "$a" ]; }

# Runs the viewer in $RUNDIR, by default $WORK (holding colours.txt if the
# caller put one there), with the arguments VIEWER_ARGS (split at blanks),
# waits for its window and its first frames. OUT says where its standard
# output goes: file (the default, $WORK/stdout), closed, gone (a pipe whose
# reader leaves after 3 bytes), full (/dev/full), allclosed (0, 1 and 2).
start_viewer() {
    local out=${1:-file} dir=${RUNDIR:-$WORK} preload=${LD_PRELOAD-} args=${VIEWER_ARGS:-}
    # The counter first: VIEWER_PRELOAD (a tracer, for the viewer alone) may call the GL past it.
    [ -n "$LAUNCH" ] || export LD_PRELOAD="$FRAMESLIB${VIEWER_PRELOAD:+:$VIEWER_PRELOAD}${LD_PRELOAD:+:$LD_PRELOAD}" \
        VELLMOOR_FRAMES="$WORK/frames"
    case $out in
    file) (cd "$dir" && exec $LAUNCH "$BIN" $args >"$WORK/stdout" 2>"$WORK/stderr") & ;;
    closed) (cd "$dir" && exec $LAUNCH "$BIN" $args >&- 2>"$WORK/stderr") & ;;
    allclosed) (cd "$dir" && exec $LAUNCH "$BIN" $args <&- >&- 2>&-) & ;;
    full) (cd "$dir" && exec $LAUNCH "$BIN" $args >/dev/full 2>"$WORK/stderr") & ;;
    gone)
        mkfifo "$WORK/pipe"
        head -c 3 <"$WORK/pipe" >"$WORK/stdout" &
        (cd "$dir" && exec $LAUNCH "$BIN" $args >"$WORK/pipe" 2>"$WORK/stderr") & ;;
    *) fail "no output mode $out" ;;
    esac
    VPID=$!
    unset VELLMOOR_FRAMES
    # The caller's preload (the sanitizer run's) stays for the next viewer.
    if [ -n "$preload" ]; then LD_PRELOAD=$preload; else unset LD_PRELOAD; fi
    # (Wine also makes windows of that name that are never mapped.)
    WID=$(find_window "$DEADLINE" "$VPID") || { running || fail "the viewer ended before its window came"
        fail "no Vellmoor window within $DEADLINE s"; }
    xdotool mousemove 250 250  # no window manager: the pointer's window has the focus
    wait_frames 3
}

# Reads the window's picture into $WORK/shot.xwd, again within the deadline
# if xwd fails: under Wine the window can be between an unmap and a map.
grab() { wait_for "xwd could not read the window" xwd_window; }
xwd_window() { xwd -id "$WID" -silent -out "$WORK/shot.xwd" 2>/dev/null; }

# Prints a checksum of the window's current picture.
shot() { grab; md5sum <"$WORK/shot.xwd" | cut -d' ' -f1; }

# True when the window shows a drawn frame, not the black of a new window.
# (However few colours the view holds: a random landscape can put the eye in
# a pit that fills the view with one.)
drawn() {
    grab
    [ "$(convert "xwd:$WORK/shot.xwd" -format '%[fx:maxima>0.1]' info:)" = 1 ]
}

differs() { [ "$(shot)" != "$1" ]; }

# Fails if the viewer wrote to standard error, not counting freeglut's two
# lines under Wine that CreateDC failed (Wine has no such device).
no_errors() {
    grep -v -e 'fgPlatformInitialize: CreateDC failed' -e "bad '-display' parameter" "$WORK/stderr" >"$WORK/own" || true
    [ ! -s "$WORK/own" ] || fail "standard error: $(head -c 500 "$WORK/own")"
}

# True when the viewer's standard output ends with TEXT.
output_ends() { local out; out=$(tr -d '\r' <"$WORK/stdout"; echo .); [[ ${out%.} == *"$1" ]]; }
# The console lines of the shipped colours.txt, read and taken.
SHIPPED_RAMP=$'\nGetting colours.txt..Got it!\n256 3\n768'

# The picture once two shots 0.3 s apart agree (over indirect GLX the X
# server may still be drawing frames the viewer counted), kept as
# $WORK/$1.xwd.
held() { local a; a=$(shot); sleep 0.3; [ "$(shot)" = "$a" ]; }
picture() { wait_for "the picture did not hold still" held; shot; cp "$WORK/shot.xwd" "$WORK/$1.xwd"; }

# Opens the page of a copy of the web site WEB_SITE, with $WORK's
# colours.txt (if any) for its own, in the browser engine WEB_ENGINE
# (chromium by default; firefox and webkit on a virtual X server of their
# own if the test has none) through tests/binary/browser.py, which takes
# further arguments; the page's console text goes to $WORK/stdout, its
# pictures to $WORK/web-N.png.
browse() {
    local site=$WORK/site engine=${WEB_ENGINE:-chromium}
    rm -rf "$site"
    cp -r "$WEB_SITE" "$site"
    rm -f "$site/colours.txt"
    [ ! -e "$WORK/colours.txt" ] || mv "$WORK/colours.txt" "$site/"
    [ "$engine" = chromium ] || [ -n "$XVFB_PID" ] || start_xvfb 1400x1000
    timeout $((DEADLINE * 4)) /usr/bin/python3 "$SRC/tests/binary/browser.py" "$site" "$WORK" --engine "$engine" "$@" ||
        fail "the page in $engine, above"
}

# Sends keys, then waits until frames drawn after them are on screen.
key() { xdotool key --delay 30 "$@"; wait_frames 3; }

# Asks the window to close as a window manager does: a WM_DELETE_WINDOW
# client message (xdotool has no such verb on every release).
close_window() {
    python3 - "$WID" <<'PY' || fail "could not send WM_DELETE_WINDOW"
import ctypes as c, sys
x = c.CDLL('libX11.so.6')
x.XOpenDisplay.restype = x.XInternAtom.restype = c.c_void_p
x.XInternAtom.argtypes = [c.c_void_p, c.c_char_p, c.c_int]
x.XSendEvent.argtypes = [c.c_void_p] + [c.c_long] * 3 + [c.c_void_p]
x.XCloseDisplay.argtypes = [c.c_void_p]
d = x.XOpenDisplay(None)
atom = lambda name: x.XInternAtom(d, name, 0)
# An XClientMessageEvent on LP64, a long a field: ClientMessage (33), serial,
# send_event, display, window, type, format 32, data.
e = (c.c_long * 24)(33, 0, 0, 0, int(sys.argv[1]), atom(b'WM_PROTOCOLS'), 32, atom(b'WM_DELETE_WINDOW'))
assert d and x.XSendEvent(d, int(sys.argv[1]), 0, 0, e)
x.XCloseDisplay(d)
PY
}

# Ends the viewer with Escape, or as a window manager closes it (close),
# and checks that it ends with status 0, not by a signal.
quit_viewer() {
    if [ "${1:-}" = close ]; then close_window; else xdotool key Escape; fi
    local rc=0
    ENDING=$VPID VPID=
    gone() { ! kill -0 "$ENDING" 2>/dev/null; }
    wait_for "the viewer did not end on ${1:-Escape}" gone
    wait "$ENDING" || rc=$?
    ENDING=
    [ "$rc" -eq 0 ] || fail "viewer ended with status $rc$( ((rc <= 128)) || echo " (signal $((rc - 128)))")"
}
