# The page alone in headless Chromium (browser.py; WEB_ENGINE picks another
# engine, for the checks it can do): on a phone (a 390 x 844
# touch screen at twice the density), in a browser without WebGL, ended
# with Escape and started again 20 times, with bad seconds in its address,
# offline and then a new build, or a picture and the landscape saved.
# Usage: page_test.sh BINARY SOURCE FRAMESLIB SITE phone|nowebgl|restart|address|offline|save
. "$(dirname "$0")/lib.sh"
WEB_SITE=$1
cp "$SRC/colours.txt" "$WORK/"
case $2 in
restart) browse --time 1700000000 --restarts 20 ;;
save)
    browse --time 1700000000 --at 1767225761 --save
    # The page's saved landscape is the desktop viewer's export of that second beside the page's colours.txt.
    (cd "$WORK/site" && timeout "$DEADLINE" "$BIN" --at 1767225761 --export desktop.glb 2>"$WORK/stderr") ||
        fail "the desktop viewer's --export"
    cmp "$WORK/vellmoor-1767225761.glb" "$WORK/site/desktop.glb" ||
        fail "the page's saved landscape is not the desktop viewer's export" ;;
*) browse --time 1700000000 "--$2" ;;
esac
echo "web $2: ok"
