# scripts/serve.py on a built site, asked as a browser asks: the brotli and
# gzip forms unpack to the files, text is gzipped where none is beside it,
# the program's type, a year's caching for hashed names alone, and every
# hashed name that index.html and the hashed scripts give is there; it
# ends cleanly on SIGTERM.
# Then the W3C's checker (vnu) finds no error in index.html and its style.
# Usage: serve_test.sh BINARY SOURCE FRAMESLIB SITE NPMTOOLS
. "$(dirname "$0")/lib.sh"
site=$1 tools=$2
/usr/bin/python3 "$SRC/scripts/serve.py" "$site" --port 0 >"$WORK/said" &
VPID=$!  # ended with the test; a wait fails once it has died
said() { grep -q 'http://' "$WORK/said"; }
wait_for "serve.py's address" said
url=$(grep -o 'http://[^ ]*' "$WORK/said")
get() { curl -fsS --max-time "$DEADLINE" -D "$WORK/head" -o "$WORK/body" "$@" || fail "curl $*"; }
has() { tr -d '\r' <"$WORK/head" | grep -qixF "$1" || fail "no '$1' in: $(cat "$WORK/head")"; }
for page in '' index.html; do
    get -H 'Accept-Encoding: gzip, br' "$url$page"
    has 'Content-Encoding: br' && has 'Cache-Control: no-cache' && has 'Vary: Accept-Encoding'
    brotli -dc "$WORK/body" | cmp - "$site/index.html" || fail "/$page is not index.html"
done
names=$(cd "$site" && grep -oh '[a-z]*\.[0-9a-f]\{10\}\.\(js\|css\|wasm\)' index.html ./*.[0-9a-f]*.js | sort -u)
[ -n "$names" ] || fail "index.html names no hashed file"
for f in $names; do [ -f "$site/$f" ] || fail "$f is named but not there"; done
wasm=$(grep -o 'vellmoor\.[0-9a-f]\{10\}\.wasm' "$site"/vellmoor.*.js) || fail "vellmoor.js names no hashed wasm"
get -H 'Accept-Encoding: gzip' "$url$wasm"
has 'Content-Encoding: gzip' && has 'Content-Type: application/wasm'
gunzip -c "$WORK/body" | cmp - "$site/$wasm" || fail "$wasm gzipped is not the file"
get -I "$url$(cd "$site" && ls page.*.js)"
has 'Cache-Control: public, max-age=31536000, immutable'
get -H 'Accept-Encoding: gzip' "$url"colours.txt
has 'Content-Encoding: gzip' && has 'Content-Type: text/plain; charset=utf-8'
gunzip -c "$WORK/body" | cmp - "$site/colours.txt" || fail "colours.txt gzipped is not the file"
java -jar "$tools/node_modules/vnu-jar/build/dist/vnu.jar" --errors-only --also-check-css "$site/index.html" \
    "$site"/page.*.css || fail "the W3C's checker finds errors in the page (above)"
kill "$VPID"
ENDING=$VPID VPID=
gone() { ! kill -0 "$ENDING" 2>/dev/null; }
wait_for "serve.py did not end on SIGTERM" gone
wait "$ENDING" || fail "serve.py ended with status $? on SIGTERM"
echo "serve: ok"
