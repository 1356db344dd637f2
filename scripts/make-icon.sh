#!/usr/bin/env bash
# Renders the program's icon packaging/mouldview.svg as the 48 x 48 PNG that desktops without SVG
# support use (packaging/mouldview-48.png, committed). Run it again after changing the SVG; the
# PNG carries no time stamps, so the same SVG and ImageMagick version give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v convert >/dev/null; then
  echo "convert is not installed (Debian package imagemagick)" >&2
  exit 1
fi
convert -background none -density 96 packaging/mouldview.svg -resize 48x48 -strip \
  -define png:exclude-chunks=date,time,tIME PNG32:packaging/mouldview-48.png
echo "packaging/mouldview-48.png"
