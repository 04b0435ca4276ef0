#!/usr/bin/env bash
# The real viewer, as users run it, at each benchmark view: the default binary
# and the one linked with the immediate reference pass, both running under one
# virtual X server, each stopped (SIGSTOP) while the other is measured, view
# after view. Each view is set through gdb (position and angles) and real page
# keys; then for SECONDS the frames per second that Mesa's HUD counts, the
# minor page faults per frame and the bytes written per frame (from /proc)
# are taken. The X server allows indirect GLX: run the script under
# LIBGL_ALWAYS_INDIRECT=1 (or MESA_GL_VERSION_OVERRIDE=1.4) to measure there;
# with VELLMOOR_SLOW_LINK=1, the viewers reach the X server over TCP through
# bench/slowlink.py, as over a network (there, with no variable set, each
# takes an indirect context by itself). With VELLMOOR_BENCH_SHADERS=1 the
# second viewer is the default binary drawing with its shader pass
# (VELLMOOR_SHADERS=1) instead of the immediate one.
# Usage: bench/real.sh BUILD_DIR [seconds per view, default 5]
set -euo pipefail
work= XVFB_PID= pids=()
trap 'for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done; [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null; [ -z "$work" ] || rm -rf "$work"' EXIT
cd "$(dirname "$0")/.."
. scripts/common.sh
build=$(realpath "$1")
secs=${2:-5}
((secs >= 2)) || secs=2  # the HUD writes one value a second: a shorter window may hold none
work=$(mktemp -d)
# Indirect GLX needs the server's GL made to work (tools/serverglx.cpp).
server=
[ -z "${LIBGL_ALWAYS_INDIRECT:-}${VELLMOOR_SLOW_LINK:-}" ] || server=$build/libvellmoor_serverglx.so
LD_PRELOAD=$server start_xvfb 1100x520 +iglx ${VELLMOOR_SLOW_LINK:+-listen tcp}
if [ -n "${VELLMOOR_SLOW_LINK:-}" ]; then  # X over TCP through a link of 50 ms each way and 100 Mbit/s
    n=${DISPLAY#:}
    link=$((6050 + n))
    python3 bench/slowlink.py "$link" $((6000 + n)) 50 100 &
    pids+=("$!")
    for ((k = 0; k < 100; k++)); do
        (exec 3<>"/dev/tcp/127.0.0.1/$link") 2>/dev/null && break
        sleep 0.1
    done
    export DISPLAY=127.0.0.1:$((n + 50))
    echo "over a slow link: X over TCP, 50 ms each way, 100 Mbit/s"
fi

# name  x  y  z  alpha  beta  page-key presses (Prior, Next)
views=("start|0|0.5|0|0|0|0|0" "above, looking down|0|250|0|0|90|0|0" "at the wall, looking in|0|5|245|0|0|0|0"
       "turned 180|0|0.5|0|180|0|0|0" "pitched 40 down|0|0.5|0|0|40|0|0" "page up x10|0|0.5|0|0|0|10|0"
       "page down x5|0|0.5|0|0|0|0|5")

declare -A pid wid at
launch() {  # name binary x [variable=value...]
    local dir=$work/$1
    mkdir -p "$dir"
    cp colours.txt "$dir/"
    (cd "$dir" && GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$dir" LD_PRELOAD="$(frames_lib "$build")" \
        VELLMOOR_FRAMES="$dir/frames" exec env "${@:4}" "$2" >/dev/null 2>&1) &
    pid[$1]=$!
    pids+=("$!")
    local w
    w=$(find_window 60 "${pid[$1]}" --pid "${pid[$1]}")
    xdotool windowmove "$w" "$3" 0
    wid[$1]=$w at[$1]=$3
}
frames() { frame_count "$work/$1/frames"; }
minflt() { awk '{ print $10 }' "/proc/${pid[$1]}/stat"; }
wchar() { awk '/^wchar/ { print $2 }' "/proc/${pid[$1]}/io"; }
waitframes() { await_frames "$work/$1/frames" $(($(frames "$1") + $2)) "${pid[$1]}"; }  # name count
pagekeys() {  # name key count
    (($3 > 0)) || return 0
    xdotool mousemove $((${at[$1]} + 250)) 250
    local k
    for ((k = 0; k < $3; k++)); do xdotool key "$2"; done
}
setview() {  # name x y z alpha beta
    local s c
    read -r s c < <(awk -v a="$5" 'BEGIN { r = a * 3.141592653589793 / 180; printf "%.17g %.17g\n", sin(r), cos(r) }')
    gdb -p "${pid[$1]}" -batch -ex "set var xpos=$2" -ex "set var ypos=$3" -ex "set var zpos=$4" \
        -ex "set var alpha=$5" -ex "set var beta=$6" -ex "set var sina=$s" -ex "set var cosa=$c" \
        -ex 'set var hvel=0' -ex 'set var yspd=0' >/dev/null 2>&1
}
# Frames per second over the HUD's values written during the window (counted
# frames over the window where the HUD writes none: indirect GLX); page
# faults and kilobytes written (to the X server, mostly) per frame.
measure() {  # name
    local hud=$work/$1/fps before f0 m0 w0 f1 m1 w1
    waitframes "$1" 10
    # Over the slow link the viewer runs ahead of the server until the link's
    # window and the sockets fill; only then is its rate the server's.
    [ -z "${VELLMOOR_SLOW_LINK:-}" ] || sleep 5
    before=$({ wc -l <"$hud"; } 2>/dev/null || echo 0)
    f0=$(frames "$1") m0=$(minflt "$1") w0=$(wchar "$1")
    sleep "$secs"  # the measuring window itself
    f1=$(frames "$1") m1=$(minflt "$1") w1=$(wchar "$1")
    { tail -n +$((before + 2)) "$hud" 2>/dev/null || true; } | awk -v f=$((f1 - f0)) -v m=$((m1 - m0)) -v w=$((w1 - w0)) -v t="$secs" \
        '{ s += $1; n++ } END { printf "%7.1f %7.1f %8.1f", n ? s / n : f / t, f ? m / f : 0, f ? w / f / 1024 : 0 }'
}

launch default "$build/vellmoor" 0
second=immediate
if [ -n "${VELLMOOR_BENCH_SHADERS:-}" ]; then
    second=shaders
    launch shaders "$build/vellmoor" 560 VELLMOOR_SHADERS=1
else
    launch immediate "$build/bench/vellmoor_immediate" 560
fi
waitframes default 10
waitframes "$second" 10
kill -STOP "${pid[$second]}"

echo "real viewer, $secs s a view: HUD frames per second, minor page faults and kB written per frame"
printf '%-24s %24s %24s %6s\n' view "default fps,pf,kB" "$second fps,pf,kB" ratio
for v in "${views[@]}"; do
    IFS='|' read -r name x y z a b up down <<<"$v"
    row=()
    for who in default "$second"; do
        kill -CONT "${pid[$who]}"
        setview "$who" "$x" "$y" "$z" "$a" "$b"
        pagekeys "$who" Prior "$up"
        pagekeys "$who" Next "$down"
        row+=("$(measure "$who")")
        pagekeys "$who" Next "$up"
        pagekeys "$who" Prior "$down"
        kill -STOP "${pid[$who]}"
    done
    read -r fd pd wd <<<"${row[0]}"
    read -r fi pi wi <<<"${row[1]}"
    printf '%-24s %7s %7s %8s %7s %7s %8s %5.2fx\n' "$name" "$fd" "$pd" "$wd" "$fi" "$pi" "$wi" \
        "$(awk -v a="$fd" -v b="$fi" 'BEGIN { print (b > 0 ? a / b : 0) }')"
done
for who in default "$second"; do
    kill -CONT "${pid[$who]}"
    echo "peak resident memory, $who: $(awk '/^VmHWM/ { print $2, $3 }' "/proc/${pid[$who]}/status")"
done
