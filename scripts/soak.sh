#!/usr/bin/env bash
# Soak: the real viewer on a virtual X server for a while (default 300 s) under
# random keys, drags and resizes from xdotool. Reports its resident memory
# after the first 10 s and at the end, and checks that it grew by less than
# 1 MB and that Escape ends the viewer with status 0.
# Usage: scripts/soak.sh [seconds]
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" gdb
secs=${1:-300}
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target vellmoor >/dev/null

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
trap 'kill $xpid 2>/dev/null' EXIT
read -r -t 20 n <&5
export DISPLAY=":$n"

./build/vellmoor >/dev/null &
vpid=$!
wid=$(timeout 30 xdotool search --sync --name '^Vellmoor$' | head -n 1)
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
actions=0 first=
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
    [ -z "$first" ] && (( SECONDS - start >= 10 )) && first=$(settled_rss)
    (( actions % 200 == 0 )) && [ -n "${SOAK_TRACE:-}" ] && echo "$((SECONDS - start)) s: $(settled_rss) kB settled"
    sleep 0.05
done
last=$(settled_rss)
hwm=$(peak)
xdotool mousemove 250 250 key Escape
rc=0
wait "$vpid" || rc=$?
grew=$((last - first))
echo "soak: ${secs} s, $actions actions; settled resident memory ${first} kB after 10 s, ${last} kB at the end (${grew} kB); peak ${hwm} kB; exit status $rc"
[ "$rc" -eq 0 ] || { echo "FAIL: exit status $rc"; exit 1; }
[ "$grew" -lt 1024 ] || { echo "FAIL: grew by $grew kB"; exit 1; }
echo "soak: ok"
