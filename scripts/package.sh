#!/usr/bin/env bash
# Builds the Debian package in build-deb/ and prints its path.
# Install it with: sudo apt-get install ./build-deb/vellmoor_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
# Reproducible: every time stamp in the package is the last commit's, unless
# the caller sets another.
export_source_date
fresh_build_dir build-deb
quiet_cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
quiet_cmake --build build-deb -j"$(nproc)" --target vellmoor vellmoor_docs
rm -f build-deb/vellmoor_*.deb
(cd build-deb && cpack -G DEB >cpack.log 2>&1) || { cat build-deb/cpack.log >&2; echo "cpack failed" >&2; exit 1; }
ls "$PWD"/build-deb/vellmoor_*.deb
