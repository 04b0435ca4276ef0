#!/usr/bin/env bash
# Frame timings of the three landscape passes in a harness, then the real
# viewer at every benchmark view: Mesa's HUD frames per second, page faults
# and bytes written per frame, default against the immediate reference pass;
# and the landscape written out in each format (bench/export.sh).
# Usage: scripts/bench.sh [seconds per view of the real viewer, default 5]
set -euo pipefail
XVFB_PID=
trap '[ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null' EXIT
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" gdb python3
secs=${1:-5}
build_targets build vellmoor vellmoor_immediate vellmoor_bench vellmoor_frames vellmoor_serverglx
start_xvfb 640x520

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
./build/bench/vellmoor_bench

echo
bench/export.sh build/vellmoor

echo
bench/real.sh build "$secs"
