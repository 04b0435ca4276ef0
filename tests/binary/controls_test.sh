# Real key events through XTEST change what the real binary shows.
. "$(dirname "$0")/lib.sh"
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
start_viewer

a=$(shot); sleep 0.5
[ "$(shot)" = "$a" ] || fail "picture changes at rest"

key shift+Up
b=$(shot); sleep 0.5
[ "$(shot)" != "$b" ] || fail "Up did not move the eye"
key s
c=$(shot); sleep 1
[ "$(shot)" = "$c" ] || fail "S did not stop the eye"

key Right
d=$(shot)
[ "$d" != "$c" ] || fail "Right did not turn"
sleep 0.5
[ "$(shot)" = "$d" ] || fail "a turn kept moving"

key shift+Right
e=$(shot)
[ "$e" != "$d" ] || fail "Shift+Right did not turn"
key Left Left Left Left
[ "$(shot)" = "$d" ] || fail "four Left presses did not undo Shift+Right"
key Right Right Right Right
[ "$(shot)" = "$e" ] || fail "four Right presses did not match Shift+Right"

# At the start scale the far plane lies beyond the grid, so first pull it in
# to about 205 units; then each page key moves it across the landscape.
key Next Next Next Next Next Next Next
f=$(shot)
[ "$f" != "$e" ] || fail "Page Down did not pull the far plane in"
xdotool key Prior
sleep 0.1
[ "$(shot)" != "$f" ] || fail "Page Up did not change the picture at once"

quit_viewer
echo "controls: ok"
