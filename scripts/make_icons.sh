#!/usr/bin/env bash
# Renders the program's icon, gui/icons/sanxing.svg, to the 48, 128 and 256 px PNGs
# beside it: the window wears them and the install puts them into the hicolor theme. The
# PNGs are committed; run this only after changing the SVG. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
icons="$(cd "$(dirname "$0")/.." && pwd)/gui/icons"
for size in 48 128 256; do
  rsvg-convert --width "$size" --height "$size" "$icons/sanxing.svg" --output "$icons/sanxing-$size.png"
  echo "wrote $icons/sanxing-$size.png"
done
