# The web page in one browser engine against the desktop viewer, both in
# the same second (the page's from its address, #at=SECONDS, the viewer's
# from --at), the desktop window sized as the page's picture: the same console
# text once backspaces are applied, and the same pictures below the overlay
# at the start view, after Left x 3 and Page Up x 2 and, in Chromium, after
# a drag; there the page again without WebGL's 32-bit indices, and without
# its multi-draw too, each picture the same to the pixel and the triangle.
# Usage: web_test.sh BINARY SOURCE FRAMESLIB SITE ENGINE
. "$(dirname "$0")/lib.sh"
WEB_SITE=$1 WEB_ENGINE=$2 second=1767225761
views=3
[ "$WEB_ENGINE" = chromium ] || views=2
start_xvfb 1400x1000
cp "$SRC/colours.txt" "$WORK/"
browse --at "$second" --views
mv "$WORK/stdout" "$WORK/web.out"
side=$(cat "$WORK/side") middle=$(($(cat "$WORK/side") / 2))
sized() { xdotool getwindowgeometry "$WID" | grep -q "Geometry: ${side}x$side"; }
cp "$SRC/colours.txt" "$WORK/"
VIEWER_ARGS="--at $second" start_viewer
xdotool windowsize "$WID" "$side" "$side"
wait_for "the window at the page's size" sized
wait_frames 3
picture desktop-1 >/dev/null
key Left Left Left Prior Prior
picture desktop-2 >/dev/null
xdotool mousemove "$middle" "$middle" mousedown 1 mousemove "$middle" $((middle + 40)) mouseup 1
wait_frames 3
picture desktop-3 >/dev/null
quit_viewer
# As a terminal shows them: each backspace takes back the character before it.
perl -0pe '1 while s/[^\x08\n]\x08//' "$WORK/stdout" | cmp - "$WORK/web.out" ||
    fail "the page's console differs: $(od -c "$WORK/web.out" | tail -n 3)"
below="${side}x$((side - 20))+0+20"  # below the overlay
for ((k = 1; k <= views; k++)); do  # pixels more than 3 levels apart
    apart=$(compare -metric AE -fuzz 1.2% "xwd:$WORK/desktop-$k.xwd[$below]" \
        "png:$WORK/web-$k.png[$below]" null: 2>&1) || true
    echo "picture $k: $apart pixels more than 3 levels from the desktop viewer's"
    ((apart <= 480)) || fail "picture $k: $apart pixels apart from the desktop viewer's in $WEB_ENGINE"
done
[ "$WEB_ENGINE" = chromium ] || { echo "web $WEB_ENGINE: ok"; exit 0; }
# The page again without 32-bit indices (drawn with multi-draw), then
# without multi-draw too (a draw a range): the same pictures to the pixel,
# the same triangles drawn.
for hidden in OES_element_index_uint OES_element_index_uint,WEBGL_multi_draw; do
    cp "$SRC/colours.txt" "$WORK/"
    browse --at "$second" --views --hide "$hidden" --name hidden
    for k in 1 2 3 4; do
        apart=$(compare -metric AE "png:$WORK/web-$k.png" "png:$WORK/hidden-$k.png" null: 2>&1) || true
        [ "$apart" = 0 ] || fail "picture $k: $apart pixels apart without $hidden"
        cmp -s "$WORK/web-$k.triangles" "$WORK/hidden-$k.triangles" || fail "picture $k: \
$(cat "$WORK/web-$k.triangles") triangles drawn, $(cat "$WORK/hidden-$k.triangles") without $hidden"
    done
done
echo "web: ok"
