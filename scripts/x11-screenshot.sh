#!/usr/bin/env bash
# Saves a rectangle of the X screen as an image file, exactly as its pixels are (no cursor, no
# scaling): scripts/x11-screenshot.sh WIDTHxHEIGHT+X+Y OUTPUT.(png|ppm)
# Under Xvfb without a window manager, a window at (0, 0) has its client area at WxH+0+0.
set -euo pipefail
if [[ $# -ne 2 ]]; then
  echo "usage: $0 WIDTHxHEIGHT+X+Y OUTPUT.png" >&2
  exit 64
fi
import -window root -crop "$1" +repage "$2"
