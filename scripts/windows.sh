#!/usr/bin/env bash
# Cross-builds Vellmoor for 64-bit Windows with Debian's MinGW-w64 and packs
# build-windows/vellmoor-VERSION-windows-x64.zip: vellmoor.exe (one static,
# hardened, stripped .exe), colours.txt, LICENSE and README.txt. freeglut is built
# statically from the source in Debian's archive, once (cached in build-windows/).
# The zip is reproducible: its entries carry the last commit's time, in a
# fixed order. Prints the zip's path last.
# VELLMOOR_WINDOWS_TARGETS adds targets (the test command adds the unit tests
# and the immediate viewer).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
export_source_date
out=$PWD/build-windows toolchain=$PWD/cmake/mingw-w64.cmake
fresh_build_dir build-windows
mkdir -p "$out"

# freeglut's source from the release's own archive, through a private apt
# list of source packages: the system's apt set-up is left alone.
glut=$out/freeglut
if [ ! -f "$glut/lib/libfreeglut_static.a" ]; then
    echo "Building freeglut for Windows from the source in Debian's archive"
    apt=$out/apt
    rm -rf "$apt" && mkdir -p "$apt/lists/partial" "$apt/parts" "$apt/src"
    mirror=$(debian_mirror)
    echo "deb-src $mirror $(. /etc/os-release && echo "$VERSION_CODENAME") main" >"$apt/sources.list"
    aptopts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
        -o "Dir::State::Lists=$apt/lists" -o APT::Sandbox::User=root)
    # Upstream's tarball, as the archive keeps it (checked against the
    # release's signed index); Debian's packaging is not needed, and some
    # mirrors do not serve it.
    (apt-get "${aptopts[@]}" update -q && cd "$apt/src" &&
        { apt-get "${aptopts[@]}" source --download-only -q freeglut || true; } &&
        tar -xf freeglut_*.orig.tar.*) >"$apt/log" 2>&1 ||
        { tail -n 20 "$apt/log"; echo "could not fetch freeglut's source"; exit 1; }
    src=$(find "$apt/src" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
    quiet_cmake -S "$src" -B "$apt/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$glut" -DFREEGLUT_BUILD_STATIC_LIBS=ON \
        -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=OFF
    quiet_cmake --build "$apt/build" -j"$(nproc)" --target install
    rm -rf "$apt"
fi

echo "Building vellmoor.exe"
quiet_cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$glut" -DVELLMOOR_WERROR=ON -DBUILD_TESTING=ON -DCMAKE_EXE_LINKER_FLAGS=-s \
    -DVELLMOOR_GTEST_SOURCE=/usr/src/googletest
quiet_cmake --build "$out" -j"$(nproc)" --target vellmoor ${VELLMOOR_WINDOWS_TARGETS:-}

version=$(sed -n 's/^project(vellmoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=vellmoor-$version-windows-x64
stage=$out/$name
rm -rf "$stage" "$stage.zip" && mkdir "$stage"
cp "$out/vellmoor.exe" colours.txt LICENSE "$stage/"
cp data/windows-readme.txt "$stage/README.txt"
touch -h -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
(cd "$out" && TZ=UTC zip -q -X -D "$name.zip" "$name/vellmoor.exe" "$name/colours.txt" \
    "$name/LICENSE" "$name/README.txt")
echo "$stage.zip"
