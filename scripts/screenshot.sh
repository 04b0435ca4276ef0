#!/usr/bin/env bash
# Remakes docs/screenshot.png: the real viewer on a virtual X server, climbed
# a little and pitched down by real key and mouse input.
set -euo pipefail
XVFB_PID= vpid= shot=
trap '[ -z "$vpid" ] || kill "$vpid" 2>/dev/null; [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null; [ -z "$shot" ] || rm -f "$shot"' EXIT
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"
build_targets build vellmoor
start_xvfb 500x500
shot=$(mktemp)

./build/vellmoor >/dev/null &
vpid=$!
find_window 60 "$vpid" >/dev/null
xdotool mousemove 250 200
xdotool key quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl   # climb
sleep 1.5                                                           # for this long
xdotool key s mousedown 1 mousemove 250 260 mouseup 1   # stop, pitch 30 degrees down
sleep 1                                                 # a few frames, at any speed above 2 a second
xwd -root -silent >"$shot"
convert "xwd:$shot" docs/screenshot.png
xdotool key Escape
timeout 30 tail --pid="$vpid" -f /dev/null
wait "$vpid"
vpid=
echo "docs/screenshot.png"
