# The real binary on contexts poorer than today's direct one, drawing frames
# with no buffer-object or multi-draw call, taking the ramp, ending with
# status 0 on Escape: GL 1.4 (gl14), and over TCP with no LIBGL_ALWAYS_INDIRECT
# set, as ssh -X leaves it. To a server whose GL is made to serve indirect GLX
# (indirect) it takes an indirect context by itself, waits for no X reply from
# frame to frame, sends few frames to a stopped server and draws the pixels of
# the immediate-mode viewer (IMMEDIATE); to one that refuses (refused) or
# serves a dead GL (dead) it stays direct and says nothing more. Only a server
# over TCP is asked (a context made in GLX's protocol). With VELLMOOR_SHADERS=1
# the GL 1.4 context says in one line that it cannot, and draws as without;
# on today's context (shaders) the shader pass, traced, makes OpenGL ES 2.0
# calls only, and gives the default viewer's console bytes and, below the
# overlay, its pixels within 3 levels nearly everywhere.
# Usage: contexts_test.sh BINARY SOURCE FRAMESLIB CASE IMMEDIATE
. "$(dirname "$0")/lib.sh"
unset LIBGL_ALWAYS_INDIRECT
made=1
case $1 in
gl14) export MESA_GL_VERSION_OVERRIDE=1.4 VELLMOOR_SHADERS=1; start_xvfb 800x600; made=0 ;;
shaders) start_xvfb 800x600; made=0 ;;
indirect | dead)
    # Over TCP, as from another machine: its buffers would take hundreds of
    # frames. The server's GL made to work, or left dead as in Debian 12's.
    [ "$1" = dead ] || server=$(dirname "$BIN")/libvellmoor_serverglx.so
    LD_PRELOAD=${server:-} start_xvfb 800x600 +iglx -listen tcp
    export DISPLAY=127.0.0.1$DISPLAY
    # Some servers cannot serve it at all (Debian 13's Xvfb dies on the first
    # indirect context): a plain client tells, and the test is skipped.
    LIBGL_ALWAYS_INDIRECT=1 timeout "$DEADLINE" glxinfo -B >"$WORK/glxinfo" 2>&1 &&
        grep -q 'direct rendering: No' "$WORK/glxinfo" ||
        skip "this X server does not serve indirect GLX (glxinfo -B: $(tail -n 1 "$WORK/glxinfo"))" ;;
refused) start_xvfb 800x600 -listen tcp; export DISPLAY=127.0.0.1$DISPLAY ;;
*) fail "no case $1" ;;
esac
immediate=$2
cp "$SRC/colours.txt" "$WORK/"
export VELLMOOR_BUFFERCALLS=$WORK/buffercalls VELLMOOR_REPLIES=$WORK/replies VELLMOOR_TIME=$EPOCHSECONDS \
    VELLMOOR_CONTEXTS=$WORK/contexts
# The start view, turned and seen further, then pitched by a drag: no motion
# goes on in any. Each picture is kept as $WORK/$1-N.xwd.
views() {
    start_viewer
    wait_for "no frame drawn (on indirect GLX: the X server's GL does not work)" drawn
    pictures="$(picture "$1-1")"
    key Left Left Left Prior Prior
    pictures+=" $(picture "$1-2")"
    xdotool mousedown 1 mousemove 250 290 mouseup 1
    wait_frames 3
    pictures+=" $(picture "$1-3")"
}
views first
first=$pictures
if [ "$1" = indirect ]; then  # (a direct context on Xvfb waits for some at each swap)
    replies=$(frame_count "$WORK/replies")
    wait_frames 20
    [ "$(frame_count "$WORK/replies")" -eq "$replies" ] ||
        fail "$(($(frame_count "$WORK/replies") - replies)) X replies waited for over 20 frames"
    # A stopped X server: only a few frames go out undrawn.
    kill -STOP "$XVFB_PID"
    sent=$(frames)
    settled() { local n; n=$(frames); sleep 1; [ "$(frames)" = "$n" ]; }
    wait_for "the viewer went on sending frames to a stopped X server" settled
    kill -CONT "$XVFB_PID"
    (($(frames) - sent <= 10)) || fail "$(($(frames) - sent)) frames sent to a stopped X server"
    wait_frames 20
fi
before=$(shot)
key Up Up Up
wait_frames 20
wait_for "flying forward did not move the picture" differs "$before"
[ "$1" = refused ] || [ "$1" = dead ] || [ "$1" = shaders ] || [ "$(frame_count "$WORK/buffercalls")" -eq 0 ] ||
    fail "$(frame_count "$WORK/buffercalls") buffer-object or multi-draw calls"
[ "$(frame_count "$WORK/contexts")" -eq "$made" ] || fail "$(frame_count "$WORK/contexts") GLX contexts made, not $made"
quit_viewer
output_ends "$SHIPPED_RAMP" ||
    fail "the ramp was not taken: $(tail -n 3 "$WORK/stdout" | tr -d "\b")"
no_errors
if [ "$1" = indirect ]; then
    BIN=$immediate
    LIBGL_ALWAYS_INDIRECT=1 views immediate
    [ "$pictures" = "$first" ] || fail "the immediate-mode viewer draws other pixels"
    quit_viewer
elif [ "$1" = gl14 ]; then
    [ "$(head -n 1 "$WORK/stdout")" = "This GL cannot draw with shaders; drawing without them" ] ||
        fail "no word that shaders cannot be had: $(head -c 80 "$WORK/stdout")"
elif [ "$1" = shaders ]; then
    mv "$WORK/stdout" "$WORK/fixed.out"
    tracer=  # not under the sanitizers (VELLMOOR_TRACE=0), where it leaks as it unloads
    [ "${VELLMOOR_TRACE:-1}" = 0 ] || tracer=$(dpkg -L apitrace-tracers | grep '/glxtrace[.]so$')
    VIEWER_PRELOAD=$tracer TRACE_FILE=$WORK/trace VELLMOOR_SHADERS=1 views shaders
    quit_viewer
    cmp "$WORK/fixed.out" "$WORK/stdout" || fail "the shader pass's console differs"
    for k in 1 2 3; do  # pixels more than 3 levels apart, below the overlay
        apart=$(compare -metric AE -fuzz 1.2% "xwd:$WORK/first-$k.xwd[500x480+0+20]" \
            "xwd:$WORK/shaders-$k.xwd[500x480+0+20]" null: 2>&1) || true
        ((apart <= 480)) || fail "picture $k: $apart pixels apart from the fixed-function one's"
    done
    [ -n "$tracer" ] || echo "GL calls: not traced"
    [ -z "$tracer" ] || apitrace dump --call-nos=no --multiline=no "$WORK/trace" |
        sed -n 's/^\(gl[A-Za-z0-9]*\)(.*/\1/p' | grep -v '^glX' | sort -u >"$WORK/calls"
    [ -z "$tracer" ] || [ -s "$WORK/calls" ] || fail "no GL call traced"
    while read -r call; do
        grep -q "GL_APIENTRY $call (" /usr/include/GLES2/gl2.h || fail "$call is no OpenGL ES 2.0 call"
    done < <([ -z "$tracer" ] || cat "$WORK/calls")
fi
echo "contexts $1: ok"
