#!/usr/bin/env bash
# Builds Vellmoor and runs every test, twice: in the plain build and with
# AddressSanitizer and UndefinedBehaviorSanitizer. The logic, the GL state and
# pixels on a virtual X server, the real binary driven with XTEST input, and
# 30 s of fuzzing the colour ramp reader.
set -eu
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" libgtest-dev python3 clang libclang-rt-14-dev

jobs=$(nproc)
build() {  # folder, cmake options...
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
}
build build -DBUILD_TESTING=ON
build build-asan -DBUILD_TESTING=ON -DVELLMOOR_SANITIZE=ON
CXX=clang++ build build-fuzz -DBUILD_TESTING=OFF -DVELLMOOR_FUZZ=ON -DVELLMOOR_SANITIZE=ON

corpus=$(mktemp -d)
start_xvfb 640x520
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$corpus"' EXIT

echo "Fuzzing the colour ramp reader for 30 s"
./build-fuzz/vellmoor_ramp_fuzz -max_total_time=30 -malloc_limit_mb=64 -print_final_stats=1 \
    "$corpus" tests/fuzz/corpus 2>&1 | grep -E '^(stat::number_of_executed_units|Done)'

echo "Plain build"
(cd build && ctest -j"$jobs" --output-on-failure)

echo "Sanitizer build"
(cd build-asan &&
    LD_PRELOAD=$PWD/tests/libvellmoor_keepdl.so \
    ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1 \
    LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest -j"$jobs" --output-on-failure)
