#!/usr/bin/env bash
# Builds Vellmoor and flies it. Without an X display it runs on a virtual one
# for a few seconds and saves a screenshot instead.
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}"
[ -n "${DISPLAY:-}" ] || need_packages "${X_PACKAGES[@]}"

cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target vellmoor >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    exec ./build/vellmoor "$@"
fi

shot=${VELLMOOR_SHOT:-$PWD/vellmoor.png}
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 500x500x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
trap 'kill $xpid 2>/dev/null' EXIT
read -r -t 20 n <&5
export DISPLAY=":$n"
./build/vellmoor "$@" &
vpid=$!
sleep 5
xwd -root -silent | convert xwd:- "$shot"
kill "$vpid" 2>/dev/null || true
wait "$vpid" 2>/dev/null || true
echo
echo "No X display: ran on a virtual one. Screenshot: $shot"
