#!/usr/bin/env bash
# Remakes the icon's PNG sizes in data/icons/ from data/icons/vellmoor.svg,
# and the web page's two (web/icon-192.png, web/icon-512.png). The PNGs are
# kept in the repository, so builds need no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
need_packages librsvg2-bin
for size in $ICON_SIZES; do
    rsvg-convert -w "$size" -h "$size" data/icons/vellmoor.svg -o "data/icons/vellmoor-$size.png"
done
for size in 192 512; do
    rsvg-convert -w "$size" -h "$size" data/icons/vellmoor.svg -o "web/icon-$size.png"
done
echo "icons: $ICON_SIZES; the page's 192 512"
