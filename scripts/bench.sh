#!/usr/bin/env bash
# Frame timings of both landscape passes, then the frames per second that the
# real viewer shows at its start view with each pass, from Mesa's HUD dump.
# Usage: scripts/bench.sh [seconds per viewer run, default 10]
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}"
secs=${1:-10}
build_targets build vellmoor vellmoor_immediate vellmoor_bench
work=$(mktemp -d)
start_xvfb 640x520
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
./build/bench/vellmoor_bench

# The viewer at rest in its start view; the HUD writes one fps value a period.
fps() {
    local dir="$work/$1"
    mkdir -p "$dir"
    GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$dir" timeout "$secs" "./build/$2" >/dev/null 2>&1 || true
    # Skip the first two values: start-up and the first frames.
    tail -n +3 "$dir/fps" | awk '{ s += $1; n++ } END { if (n) printf "%.1f", s / n; else printf "n/a" }'
}
echo
echo "viewer frames per second at the start view, ${secs} s each:"
imm=$(fps immediate bench/vellmoor_immediate)
def=$(fps default vellmoor)
echo "  immediate pass: $imm"
echo "  default pass:   $def"
awk -v a="$def" -v b="$imm" 'BEGIN { if (b > 0) printf "  ratio:          %.2fx\n", a / b }'
