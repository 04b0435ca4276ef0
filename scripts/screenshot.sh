#!/usr/bin/env bash
# Remakes docs/screenshot.png: the real viewer on a virtual X server, climbed
# a little and pitched down by real key and mouse input.
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"
build_targets build vellmoor
start_xvfb 500x500
trap 'kill $XVFB_PID 2>/dev/null' EXIT

./build/vellmoor >/dev/null &
vpid=$!
xdotool search --sync --name '^Vellmoor$' >/dev/null
xdotool mousemove 250 200
sleep 1
xdotool key quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl   # climb
sleep 1.5
xdotool key s mousedown 1 mousemove 250 260 mouseup 1   # stop, pitch 30 degrees down
sleep 1
xwd -root -silent | convert xwd:- docs/screenshot.png
xdotool key Escape
wait "$vpid"
echo "docs/screenshot.png"
