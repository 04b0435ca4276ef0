#!/usr/bin/env bash
# Builds Vellmoor for a browser with Debian's emscripten and leaves a static
# site in build-web/site/ (index.html, its scripts, style, web app manifest,
# icons and service worker, vellmoor.js and vellmoor.wasm, colours.txt,
# LICENSE), packed as
# build-web/vellmoor-VERSION-web.zip. The zip is reproducible: its entries
# carry the last commit's time, in a fixed order. Prints the zip's path last.
# `web.sh serve` then serves the site on this machine (port
# VELLMOOR_WEB_PORT, 8000 by default) until interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${WEB_PACKAGES[@]}"
export_source_date
# emcc's JavaScript optimiser needs Debian's node modules (acorn) even where
# the first node on PATH is another one.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
out=$PWD/build-web
fresh_build_dir build-web

echo "Building vellmoor.wasm"
toolchain=$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake
quiet_cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DVELLMOOR_WERROR=ON
quiet_cmake --build "$out" -j"$(nproc)" --target vellmoor

version=$(sed -n 's/^project(vellmoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=vellmoor-$version-web
site=$out/site stage=$out/$name
rm -rf "$site" "$stage" "$stage.zip" && mkdir "$site"
page=(index.html page.js view.js console.js keep.js page.css manifest.webmanifest sw.js icon-192.png icon-512.png)
files=("${page[@]}" vellmoor.js vellmoor.wasm colours.txt LICENSE)
cp "${page[@]/#/web/}" "$out/vellmoor.js" "$out/vellmoor.wasm" colours.txt LICENSE "$site/"
stamp_site "$site"
cp -r "$site" "$stage"
touch -h -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
(cd "$out" && TZ=UTC zip -q -X -D "$name.zip" "${files[@]/#/$name/}")
rm -rf "$stage"

if [ "${1:-}" = serve ]; then
    port=${VELLMOOR_WEB_PORT:-8000}
    echo "Serving $site"
    echo "Open http://127.0.0.1:$port/ in a browser (Ctrl+C ends)"
    cd "$site" && exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1
fi
echo "$stage.zip"
