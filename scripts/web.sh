#!/usr/bin/env bash
# Builds Vellmoor for a browser with Debian's emscripten and leaves a static
# site in build-web/site/ (index.html, its scripts, style, web app manifest,
# icons and service worker, vellmoor.js and vellmoor.wasm, colours.txt,
# LICENSE; the scripts, style and program under names that carry a hash of
# their content, each text file and the program also gzipped and in
# brotli), packed as
# build-web/vellmoor-VERSION-web.zip. The zip is reproducible: its entries
# carry the last commit's time, in a fixed order. Prints the zip's path last.
# `web.sh serve` then serves the site on this machine (scripts/serve.py, port
# VELLMOOR_WEB_PORT, 8000 by default) until interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages "${WEB_PACKAGES[@]}"
export_source_date
# emcc's JavaScript optimiser needs Debian's node modules (acorn) even where
# the first node on PATH is another one.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# Renames the site's scripts, style and program to NAME.HASH.EXT (HASH: the
# first 10 hex digits of a SHA-256 of the file as it ends up), so a browser
# may keep each for a year: a changed file comes under a new name. Leaves
# first, each renamed in the quoted names of those still to come and of
# index.html (vellmoor.js names its wasm, page.js warm.js); fails where a
# new name is named nowhere or an old one is still named.
hash_site() (  # SITE
    cd "$1"
    local left=(vellmoor.wasm warm.js view.js console.js keep.js page.css vellmoor.js page.js) f new old
    old=$(IFS='|'; echo "${left[*]//./\\.}")
    while [ ${#left[@]} -gt 0 ]; do
        f=${left[0]}
        left=("${left[@]:1}")
        new=${f%.*}.$(sha256sum <"$f" | cut -c 1-10).${f##*.}
        mv "$f" "$new"
        sed -i "s/\([\"']\)${f//./\\.}\1/\1$new\1/g" "${left[@]}" index.html
        grep -qF "$new" "${left[@]}" index.html || { echo "nothing in the site names $f"; exit 1; }
    done
    if grep -HnoE "[\"']($old)[\"']" -- *.js index.html; then echo "old names left in the site, above"; exit 1; fi
)

# Beside each text file and the program, its gzip (-n: no name or time in
# it) and brotli forms at their smallest, for a host that sends them as
# they are. Not colours.txt, which the user may replace: a host would go on
# sending the old one's. After stamp_site, which writes sw.js.
compress_site() {  # SITE
    local f
    for f in "$1"/*.{html,js,css,webmanifest,wasm}; do
        gzip -9 -n -k -f "$f"
        brotli -q 11 -f "$f"
    done
}

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
page=(index.html page.js view.js console.js keep.js warm.js page.css manifest.webmanifest sw.js icon-192.png icon-512.png)
cp "${page[@]/#/web/}" "$out/vellmoor.js" "$out/vellmoor.wasm" colours.txt LICENSE "$site/"
hash_site "$site"
stamp_site "$site"
compress_site "$site"
mapfile -t files < <(cd "$site" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort)
cp -r "$site" "$stage"
touch -h -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
(cd "$out" && TZ=UTC zip -q -X -D "$name.zip" "${files[@]/#/$name/}")
rm -rf "$stage"

if [ "${1:-}" = serve ]; then
    exec /usr/bin/python3 scripts/serve.py "$site" --port "${VELLMOOR_WEB_PORT:-8000}" --bind 127.0.0.1
fi
echo "$stage.zip"
