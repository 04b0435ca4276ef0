#!/usr/bin/env bash
# Builds Vellmoor and runs every test: logic, GL state and pixels on a
# virtual X server, and the real binary driven with XTEST input.
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" libgtest-dev python3

jobs=$(nproc)
cmake -S . -B build -DBUILD_TESTING=ON >/dev/null
cmake --build build -j"$jobs"

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 640x520x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
trap 'kill $xpid 2>/dev/null' EXIT
read -r -t 20 n <&5
export DISPLAY=":$n"

cd build && ctest -j"$jobs" --output-on-failure
