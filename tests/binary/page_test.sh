# The page alone in headless Chromium (browser.py): on a phone (a 390 x 844
# touch screen at twice the density), in a browser without WebGL, or ended
# with Escape and started again 20 times.
# Usage: page_test.sh BINARY SOURCE FRAMESLIB SITE phone|nowebgl|restart
. "$(dirname "$0")/lib.sh"
WEB_SITE=$1
cp "$SRC/colours.txt" "$WORK/"
if [ "$2" = restart ]; then browse --time 1700000000 --restarts 20; else browse --time 1700000000 "--$2"; fi
echo "web $2: ok"
