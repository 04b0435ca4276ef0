# The page alone in headless Chromium (browser.py): on a phone (a 390 x 844
# touch screen at twice the density), or in a browser without WebGL.
# Usage: page_test.sh BINARY SOURCE FRAMESLIB SITE phone|nowebgl
. "$(dirname "$0")/lib.sh"
WEB_SITE=$1
cp "$SRC/colours.txt" "$WORK/"
browse --time 1700000000 "--$2"
echo "web $2: ok"
