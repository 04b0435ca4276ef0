#!/usr/bin/env bash
# Frames a second of vellmoor.exe and of the immediate-mode .exe under Wine on
# a virtual X server, as Mesa's HUD counts them: at the start view, then from
# about 250 units up looking straight down, the whole grid in view, flown
# there with real keys and a drag. One viewer runs at a time.
# Usage: bench/wine.sh [seconds a view]  (after scripts/windows.sh with
# VELLMOOR_WINDOWS_TARGETS=vellmoor_immediate)
set -euo pipefail
XVFB_PID= VPID= work=
trap '[ -z "$VPID" ] || kill "$VPID" 2>/dev/null; [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null;
      [ -z "$work" ] || { WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf "$work"; }' EXIT
cd "$(dirname "$0")/.."
. scripts/common.sh
secs=${1:-5} build=$PWD/build-windows
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
start_xvfb 600x600
wineboot -i >/dev/null 2>&1

# Mean of the HUD's values written over the next $secs seconds.
measure() {  # hud file
    local before
    before=$({ wc -l <"$1"; } 2>/dev/null || echo 0)
    sleep "$secs"
    tail -n +$((before + 1)) "$1" | awk '{ s += $1; n++ } END { printf "%7.1f", n ? s / n : 0 }'
}

declare -A result
for exe in vellmoor bench/vellmoor_immediate; do
    dir=$work/${exe##*/}
    mkdir "$dir" && cp colours.txt "$dir/"
    (cd "$dir" && GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR=$dir exec wine "$build/$exe.exe" >/dev/null 2>&1) &
    VPID=$!
    timeout 60 xdotool search --sync --onlyvisible --limit 1 --name '^Vellmoor$' >/dev/null
    xdotool mousemove 250 250
    sleep 3  # start-up and the first frames
    start=$(measure "$dir/fps")
    # Climb at the greatest vertical speed for 14 s (about 250 units), stop,
    # and pitch 90 degrees down: 180 pixels of left drag.
    xdotool key --delay 30 quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl
    sleep 14
    xdotool key s mousemove 250 50 mousedown 1 mousemove --sync 250 140 mousemove --sync 250 230 mouseup 1
    sleep 2
    above=$(measure "$dir/fps")
    xwd -root -silent >"$work/${exe##*/}.xwd"
    result[$exe]="$start $above"
    xdotool key Escape
    wait "$VPID" || true
    VPID=
done
echo "under Wine, $secs s a view: frames per second that Mesa's HUD counts"
printf '%-28s %10s %10s\n' view vellmoor.exe immediate
read -r d1 d2 <<<"${result[vellmoor]}"
read -r i1 i2 <<<"${result[bench/vellmoor_immediate]}"
printf '%-28s %10s %10s\n' start "$d1" "$i1" "above, looking down" "$d2" "$i2"
[ -z "${VELLMOOR_WINE_SHOT:-}" ] || convert "xwd:$work/vellmoor.xwd" "$VELLMOOR_WINE_SHOT"
