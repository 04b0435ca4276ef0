#!/usr/bin/env bash
# Builds Vellmoor and flies it. Without an X display it runs on a virtual one
# for a few seconds and saves a screenshot instead.
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}"
[ -n "${DISPLAY:-}" ] || need_packages "${X_PACKAGES[@]}"
build_targets build vellmoor

if [ -n "${DISPLAY:-}" ]; then
    exec ./build/vellmoor "$@"
fi

shot=${VELLMOOR_SHOT:-$PWD/vellmoor.png}
start_xvfb 500x500
trap 'kill $XVFB_PID 2>/dev/null' EXIT
./build/vellmoor "$@" &
vpid=$!
sleep 5
xwd -root -silent | convert xwd:- "$shot"
kill "$vpid" 2>/dev/null || true
wait "$vpid" 2>/dev/null || true
echo
echo "No X display: ran on a virtual one. Screenshot: $shot"
