#!/usr/bin/env bash
# Builds Vellmoor and flies it. Without an X display it runs on a virtual one
# until a few frames are drawn and saves a screenshot instead.
set -euo pipefail
XVFB_PID= VPID= frames=
trap '[ -z "$VPID" ] || kill "$VPID" 2>/dev/null; [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null; [ -z "$frames" ] || rm -f "$frames"' EXIT
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}"
[ -n "${DISPLAY:-}" ] || need_packages "${X_PACKAGES[@]}"
build_targets build vellmoor vellmoor_frames

if [ -n "${DISPLAY:-}" ]; then
    trap - EXIT
    exec ./build/vellmoor "$@"  # from here, where the default colours.txt lies
fi

shot=${VELLMOOR_SHOT:-$PWD/vellmoor.png}
start_xvfb 500x500
frames=$(mktemp)
LD_PRELOAD=$(frames_lib build) VELLMOOR_FRAMES=$frames ./build/vellmoor "$@" &
VPID=$!
await_frames "$frames" 10 "$VPID"
xwd -root -silent >"$frames.xwd"
convert "xwd:$frames.xwd" "$shot"
rm -f "$frames.xwd"
echo
echo "No X display: ran on a virtual one. Screenshot: $shot"
