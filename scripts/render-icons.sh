#!/usr/bin/env bash
# Renders the application icon (data/icons/org.zembra.Zembra.svg) to the PNG
# sizes of the hicolor theme, data/icons/SIZE/org.zembra.Zembra.png. The PNGs
# are kept in the repository; run this again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert --width "$size" --height "$size" --output "$size/org.zembra.Zembra.png" org.zembra.Zembra.svg
done
