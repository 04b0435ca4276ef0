# Real key and mouse events through XTEST change what the real binary shows.
. "$(dirname "$0")/lib.sh"
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
second=1767225761
VIEWER_ARGS="--at $second" start_viewer

a=$(shot)
wait_frames 5
[ "$(shot)" = "$a" ] || fail "picture changes at rest"

xdotool key shift+Up
wait_for "Up did not move the eye" differs "$a"
key s
c=$(shot)
wait_frames 5
[ "$(shot)" = "$c" ] || fail "S did not stop the eye"

key Right
d=$(shot)
[ "$d" != "$c" ] || fail "Right did not turn"
wait_frames 5
[ "$(shot)" = "$d" ] || fail "a turn kept moving"

key shift+Right
e=$(shot)
[ "$e" != "$d" ] || fail "Shift+Right did not turn"
key Left Left Left Left
[ "$(shot)" = "$d" ] || fail "four Left presses did not undo Shift+Right"
key Right Right Right Right
[ "$(shot)" = "$e" ] || fail "four Right presses did not match Shift+Right"
key ctrl+shift+Left
[ "$(shot)" != "$e" ] || fail "Ctrl+Shift+Left did not turn"
key Right
[ "$(shot)" = "$e" ] || fail "Ctrl+Shift+Left turned more than Left"

# At the start scale the far plane lies beyond the grid, so first pull it in
# to about 205 units; then each page key moves it across the landscape.
key Next Next Next Next Next Next Next
f=$(shot)
[ "$f" != "$e" ] || fail "Page Down did not pull the far plane in"
key Prior
[ "$(shot)" != "$f" ] || fail "Page Up did not change the picture"
key Next
[ "$(shot)" = "$f" ] || fail "Page Down did not undo Page Up"

# A left drag pitches; dragging back restores the view.
xdotool mousedown 1 mousemove 250 290
wait_frames 3
g=$(shot)
[ "$g" != "$f" ] || fail "a drag did not pitch the view"
xdotool mousemove 250 250 mouseup 1
wait_frames 3
[ "$(shot)" = "$f" ] || fail "dragging back did not restore the view"

# F2 keeps the landscape being flown, as --export writes it, and says where.
kept=$WORK/vellmoor-$second.glb
key F2
wait_for "F2 wrote no $kept" test -s "$kept"
(cd "$WORK" && $LAUNCH "$BIN" --at "$second" --export export.glb >/dev/null 2>&1) && cmp "$kept" "$WORK/export.glb" ||
    fail "F2's file is not what --export writes"
grep -q "^Landscape saved as .*vellmoor-$second.glb" "$WORK/stderr" || fail "F2 said nothing of where: $(cat "$WORK/stderr")"
quit_viewer
echo "controls: ok"
