#!/usr/bin/env bash
# Builds Vellmoor and runs every test, twice: in the plain build and with
# AddressSanitizer and UndefinedBehaviorSanitizer. The logic, the GL state and
# pixels on a virtual X server, the real binary driven with XTEST input, 30 s
# of fuzzing the colour ramp reader (a finding fails the run), and the Debian
# package built, checked and run. The program and the unit tests are also
# built with clang and libc++, and those tests run. The Windows zip is
# cross-built and its .exe tested under Wine. The web site is built twice
# (the zips must be equal) and its page tested in Chromium, Firefox ESR and
# WebKitGTK. A warning fails any build.
set -euo pipefail
scratch= XVFB_PID=
trap '[ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null; [ -z "$scratch" ] || rm -rf "$scratch"' EXIT
cd "$(dirname "$0")/.."
root=$PWD
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${X_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" \
    "${WINDOWS_PACKAGES[@]}" wine wine64 libfaketime unzip \
    mesa-utils libgtest-dev googletest python3 clang libclang-rt-dev libc++-dev libc++abi-dev \
    apitrace libgles-dev "${WEB_PACKAGES[@]}" "${BROWSER_PACKAGES[@]}"

# The npm registry's checkers: the Khronos glTF validator, the W3C's
# markup checker, axe-core.
command -v npm >/dev/null || need_packages npm
npm install --prefix "$root/build-npm" --no-audit --no-fund --loglevel=error gltf-validator vnu-jar axe-core >/dev/null

jobs=$(nproc) targets=
build() {  # folder, cmake options...
    local dir=$1
    shift
    quiet_cmake -S . -B "$dir" -DVELLMOOR_WERROR=ON "$@"
    cmake --build "$dir" -j"$jobs" ${targets:+--target $targets}
}
build build -DBUILD_TESTING=ON -DVELLMOOR_WINDOWS_BUILD="$root/build-windows" \
    -DVELLMOOR_WEB_BUILD="$root/build-web"
build build-asan -DBUILD_TESTING=ON -DVELLMOOR_SANITIZE=ON
CXX=clang++ build build-fuzz -DBUILD_TESTING=OFF -DVELLMOOR_FUZZ=ON -DVELLMOOR_SANITIZE=ON

# GoogleTest is built from source with libc++: the installed one is libstdc++'s.
libcxx=-stdlib=libc++
CC=clang CXX=clang++ targets="vellmoor vellmoor_unit_tests" build build-libcxx -DBUILD_TESTING=ON \
    -DVELLMOOR_GTEST_SOURCE=/usr/src/googletest -DCMAKE_CXX_FLAGS=$libcxx \
    -DCMAKE_EXE_LINKER_FLAGS=$libcxx -DCMAKE_SHARED_LINKER_FLAGS=$libcxx
echo "Unit tests built with clang and libc++"
build-libcxx/tests/vellmoor_unit_tests --gtest_brief=1

# The fuzzer works in a scratch folder: new inputs and any crash file stay out
# of the source tree.
scratch=$(mktemp -d)
mkdir "$scratch/corpus"
echo "Fuzzing the colour ramp reader for 30 s"
if ! (cd "$scratch" && timeout 300 "$root/build-fuzz/vellmoor_ramp_fuzz" -max_total_time=30 \
        -malloc_limit_mb=64 -print_final_stats=1 -artifact_prefix="$scratch/" \
        corpus "$root/tests/fuzz/corpus") >"$scratch/fuzz.log" 2>&1; then
    tail -n 40 "$scratch/fuzz.log"
    echo "FAIL: the fuzzer found a fault in the colour ramp reader (input above)"
    exit 1
fi
grep -E '^(stat::number_of_executed_units|Done)' "$scratch/fuzz.log" || true

echo "Debian package"
deb=$(./scripts/package.sh | tail -n 1)
bash tests/binary/package_test.sh build/vellmoor "$root" "$(frames_lib build)" "$deb"

echo "Windows zip"
VELLMOOR_WINDOWS_TARGETS="vellmoor_immediate vellmoor_unit_tests" ./scripts/windows.sh

echo "Web site, built twice"
zip=$(./scripts/web.sh | tail -n 1)
mv "$zip" "$scratch/first.zip"
rm -rf build-web
cmp "$scratch/first.zip" "$(./scripts/web.sh | tail -n 1)" || { echo "FAIL: two web zips differ"; exit 1; }

start_xvfb 640x520
echo "Plain build"
(cd build && ctest -j"$jobs" --output-on-failure)

echo "Sanitizer build"
# intercept_tls_get_addr=0: up to GCC 13 the runtime takes a GL driver's
# dynamic TLS block that malloc happens to put 16 bytes into a page for a
# glibc 2.18 one, reads the words before it as that block's bounds, and its
# leak checker dies at exit. The blocks stay reachable through the thread's
# own TLS, so leak checking loses nothing.
(cd build-asan &&
    LD_PRELOAD=$PWD/tests/libvellmoor_keepdl.so \
    ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1:intercept_tls_get_addr=0 \
    LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest -j"$jobs" --output-on-failure)
