# The web page against the desktop viewer, both with the web build's rand()
# (the viewer's through a preload) and the same second: the same console
# text once backspaces are applied, and the same pictures below the overlay
# at the start view, after Left x 3 and Page Up x 2, and after a drag; the
# page again without WebGL's multi-draw, each picture the same to the pixel
# and to the vertex.
# Usage: web_test.sh BINARY SOURCE FRAMESLIB SITE RANDLIB
. "$(dirname "$0")/lib.sh"
WEB_SITE=$1 second=1700000000
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
VIEWER_PRELOAD=$2 VELLMOOR_TIME=$second start_viewer
picture desktop-1 >/dev/null
key Left Left Left Prior Prior
picture desktop-2 >/dev/null
xdotool mousedown 1 mousemove 250 290 mouseup 1  # from the middle, 40 pixels down
wait_frames 3
picture desktop-3 >/dev/null
quit_viewer
mv "$WORK/stdout" "$WORK/desktop.out"
browse --time "$second" --views
# As a terminal shows them: each backspace takes back the character before it.
perl -0pe '1 while s/[^\x08\n]\x08//' "$WORK/desktop.out" | cmp - "$WORK/stdout" ||
    fail "the page's console differs: $(od -c "$WORK/stdout" | tail -n 3)"
# Below the overlay; at the start view below the horizon only: there the
# sky's triangles that reach behind the eye are cut differently by
# SwiftShader and llvmpipe (11 % of pixels), a turn of 1.5 degrees away not.
crops=(x 500x250+0+250 500x480+0+20 500x480+0+20)
for k in 1 2 3; do  # pixels more than 3 levels apart
    apart=$(compare -metric AE -fuzz 1.2% "xwd:$WORK/desktop-$k.xwd[${crops[k]}]" \
        "png:$WORK/web-$k.png[${crops[k]}]" null: 2>&1) || true
    ((apart <= 480)) || fail "picture $k: $apart pixels apart from the desktop viewer's"
done
cp "$SRC/colours.txt" "$WORK/"
browse --time "$second" --views --single
for k in 1 2 3 4; do
    apart=$(compare -metric AE "png:$WORK/web-$k.png" "png:$WORK/single-$k.png" null: 2>&1) || true
    [ "$apart" = 0 ] || fail "picture $k: $apart pixels apart without multi-draw"
    cmp -s "$WORK/web-$k.vertices" "$WORK/single-$k.vertices" || fail "picture $k: $(cat "$WORK/web-$k.vertices") \
vertices drawn, $(cat "$WORK/single-$k.vertices") without multi-draw"
done
echo "web: ok"
