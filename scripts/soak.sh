#!/usr/bin/env bash
# Soak: the real viewer on a virtual X server for a while (default 300 s) under
# random keys, drags and resizes from xdotool. Reports its settled resident
# memory every 30 s from the first 10 s on, checks that it grew by less than
# 1 MB over the run and that Escape ends the viewer with status 0.
# Usage: scripts/soak.sh [seconds]
set -euo pipefail
XVFB_PID= vpid=
trap '[ -z "$vpid" ] || kill "$vpid" 2>/dev/null; [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null' EXIT
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" gdb
secs=${1:-300}
build_targets build vellmoor
start_xvfb 800x600

./build/vellmoor >/dev/null &
vpid=$!
wid=$(find_window 30 "$vpid")
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$vpid/status"; }
peak() { awk '/^VmHWM/ { print $2 }' "/proc/$vpid/status"; }
# Resident memory in a steady state: the window 500 x 500 again (its buffers
# follow its size), at rest, looking straight up (the frames' own driver
# memory follows what is in view), and with the C library's free memory
# handed back (gdb calls malloc_trim), so that what is left is what the
# viewer and its driver hold. The least of a few samples.
settled_rss() {
    xdotool windowsize "$wid" 500 500 mousemove 250 250 key s \
        mousedown 1 mousemove 250 0 mouseup 1 mousemove 250 250 mousedown 1 mousemove 250 0 mouseup 1
    local least= k now
    for k in 1 2 3 4 5 6 7 8; do
        sleep 0.3
        gdb -p "$vpid" -batch -ex 'call (int) malloc_trim(0)' >/dev/null 2>&1
        now=$(rss)
        [ -z "$least" ] || (( now < least )) && least=$now
    done
    echo "$least"
}

keys=(Up Down Left Right shift+Up shift+Down shift+Left shift+Right ctrl+shift+Right
      Prior Next apostrophe quotedbl slash question s S a space Return F1)
# The first 10 s reach the driver's high-water marks on purpose: the largest
# window the random phase asks for, and the whole grid in view from above.
# Memory the driver keeps after its heaviest frame is not a leak; growth
# after that would be.
xdotool windowsize "$wid" 700 500 mousemove 250 250
xdotool key --delay 40 quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl quotedbl
sleep 4
xdotool key s mousedown 1 mousemove 250 450 mouseup 1 key --delay 40 Prior Prior Prior Prior Prior
sleep 2
xdotool key --delay 40 Next Next Next Next Next windowsize "$wid" 500 500

RANDOM=1
start=$SECONDS
actions=0 next=10
settled=() at=()  # settled resident memory (kB) every 30 s from 10 s on, and when
while (( SECONDS - start < secs )); do
    kill -0 "$vpid" 2>/dev/null || { echo "FAIL: viewer died after $actions actions"; exit 1; }
    case $((RANDOM % 10)) in
    [0-5]) xdotool mousemove 250 250 key "${keys[RANDOM % ${#keys[@]}]}" ;;
    [6-7]) xdotool mousemove $((RANDOM % 500)) $((RANDOM % 500)) mousedown $((RANDOM % 3 + 1)) \
               mousemove $((RANDOM % 800)) $((RANDOM % 600)) mouseup $((RANDOM % 3 + 1)) ;;
    8) xdotool windowsize "$wid" $((RANDOM % 700 + 1)) $((RANDOM % 500 + 1)) ;;
    9) xdotool windowsize "$wid" 500 500 ;;
    esac
    actions=$((actions + 1))
    if (( SECONDS - start >= next )); then
        settled+=("$(settled_rss)")
        at+=("$((SECONDS - start))")
        next=$((next + 30))
    fi
    sleep 0.05
done
settled+=("$(settled_rss)")
at+=("$((SECONDS - start))")
hwm=$(peak)
xdotool mousemove 250 250 key Escape
rc=0
timeout 30 tail --pid="$vpid" -f /dev/null || { echo "FAIL: the viewer did not end on Escape"; exit 1; }
wait "$vpid" || rc=$?
vpid=

# The driver takes and gives back a megabyte or two as it goes (seen as steps
# that come and go), so compare the least settled value of the first third
# with the least of the last third: a leak lifts both the steps and the floor.
n=${#settled[@]}
third=$(( (n + 2) / 3 ))
least() { printf '%s\n' "$@" | sort -n | head -n 1; }
first=$(least "${settled[@]:0:third}")
last=$(least "${settled[@]:n-third}")
grew=$((last - first))
echo "soak: ${secs} s, $actions actions, exit status $rc"
for ((k = 0; k < n; k++)); do echo "  ${at[k]} s: ${settled[k]} kB settled"; done
echo "  least of the first third ${first} kB, of the last third ${last} kB: grew ${grew} kB; peak ${hwm} kB"
[ "$rc" -eq 0 ] || { echo "FAIL: exit status $rc"; exit 1; }
[ "$grew" -lt 1024 ] || { echo "FAIL: grew by $grew kB"; exit 1; }
echo "soak: ok"
