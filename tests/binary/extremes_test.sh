# The real binary under abuse: every key held in turn (about 10 s of key
# repeat), a 1 x 1 window and back, a long drag. It must still draw and quit.
. "$(dirname "$0")/lib.sh"
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
start_viewer

for k in Up Right Prior Down Left Next apostrophe slash shift+quotedbl shift+question shift+Up shift+Left s; do
    xdotool keydown "$k"; sleep 0.75; xdotool keyup "$k"  # how long the key is held
done
xdotool windowsize "$WID" 1 1
wait_frames 3
xdotool windowsize "$WID" 500 500
wait_frames 3
xdotool mousedown 1 mousemove 799 599 mousemove 0 0 mousemove 250 250 mouseup 1
wait_frames 3

wait_for "no frame drawn after the abuse" drawn
quit_viewer
no_errors
echo "extremes: ok"
