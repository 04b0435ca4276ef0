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
LD_PRELOAD=$PWD/build/tests/support/libvellmoor_frames.so VELLMOOR_FRAMES=$frames ./build/vellmoor "$@" &
VPID=$!
# Ten frames drawn, within a minute however busy the machine.
for ((k = 0; k < 1200; k++)); do
    n=$(cat "$frames")
    ((${n:-0} >= 10)) && break
    kill -0 "$VPID" 2>/dev/null || { echo "the viewer ended early"; exit 1; }
    sleep 0.05
done
((${n:-0} >= 10)) || { echo "no frames drawn within a minute"; exit 1; }
xwd -root -silent >"$frames.xwd"
convert "xwd:$frames.xwd" "$shot"
rm -f "$frames.xwd"
echo
echo "No X display: ran on a virtual one. Screenshot: $shot"
