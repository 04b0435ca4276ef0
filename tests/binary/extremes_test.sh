# The real binary under abuse: every key held in turn (about 10 s of key
# repeat), a 1 x 1 window and back, a long drag. It must still draw and quit.
. "$(dirname "$0")/lib.sh"
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
start_viewer

for k in Up Right Prior Down Left Next apostrophe slash shift+quotedbl shift+question shift+Up shift+Left s; do
    xdotool keydown "$k"; sleep 0.75; xdotool keyup "$k"
done
xdotool windowsize "$WID" 1 1; sleep 0.5
xdotool windowsize "$WID" 500 500; sleep 0.5
xdotool mousedown 1 mousemove 799 599 mousemove 0 0 mousemove 250 250 mouseup 1; sleep 0.5

kill -0 "$VPID" 2>/dev/null || fail "viewer died"
colours=$(xwd -id "$WID" -silent | convert xwd:- -format %k info:)
[ "$colours" -gt 3 ] || fail "no frame drawn ($colours colours)"
quit_viewer
[ ! -s "$WORK/stderr" ] || fail "standard error: $(head -c 500 "$WORK/stderr")"
echo "extremes: ok"
