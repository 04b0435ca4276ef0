#!/usr/bin/env bash
# Frames a second of vellmoor.exe and of the immediate-mode .exe under Wine on
# a virtual X server, as Mesa's HUD counts them: at the start view, then
# looking straight down from just high enough to have the whole grid in view
# (about 225 units), flown there with real keys and a drag. One viewer runs
# at a time.
# Usage: bench/wine.sh [seconds a view]  (after scripts/windows.sh with
# VELLMOOR_WINDOWS_TARGETS=vellmoor_immediate)
set -euo pipefail
XVFB_PID= VPID= wid= work=
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

# True when all four edges of the grid are in view: the window's outer rows
# and columns, where Mesa's HUD (top left) leaves them free, show only the
# sky's grey, which has no saturation.
grid_in_view() {
    xwd -id "$wid" -silent >"$work/view.xwd"
    [ "$(convert "xwd:$work/view.xwd" -colorspace HSL -channel G -separate +channel \
        \( -clone 0 -crop 500x1+0+499 \) \( -clone 0 -crop 1x500+499+0 +rotate 90 \) \
        \( -clone 0 -crop 1x300+0+200 +rotate 90 \) \( -clone 0 -crop 200x1+300+0 \) \
        -delete 0 +repage +append -format '%[fx:maxima]' info:)" = 0 ]
}

declare -A result
for exe in vellmoor bench/vellmoor_immediate; do
    dir=$work/${exe##*/}
    mkdir "$dir" && cp colours.txt "$dir/"
    (cd "$dir" && GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR=$dir exec wine "$build/$exe.exe" >/dev/null 2>&1) &
    VPID=$!
    wid=$(find_window 60 "$VPID")
    xdotool mousemove 250 250
    sleep 3  # start-up and the first frames
    start=$(measure "$dir/fps")
    # Pitch 90 degrees down (180 pixels of left drag), climb at the greatest
    # vertical speed until the whole grid is in view, and stop there.
    xdotool mousemove 250 50 mousedown 1 mousemove --sync 250 140 mousemove --sync 250 230 mouseup 1
    xdotool key --delay 30 quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl
    end=$((SECONDS + 180))
    until grid_in_view; do
        ((SECONDS < end)) || { echo "$exe: the grid's edges not all in view after 180 s"; exit 1; }
        sleep 0.25
    done
    xdotool key s
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
printf '%-28s %10s %10s\n' start "$d1" "$i1" "whole grid, from above" "$d2" "$i2"
[ -z "${VELLMOOR_WINE_SHOT:-}" ] || convert "xwd:$work/vellmoor.xwd" "$VELLMOOR_WINE_SHOT"
