#!/usr/bin/env bash
# Sets the button-face colour of the Wine prefix's desktop (WINEPREFIX), as the display settings
# do, for the programs started after it:  set-button-face.sh RED GREEN BLUE
set -euo pipefail
exec "$(dirname "$0")/../../scripts/wine-run.sh" --prefix "$WINEPREFIX" \
  reg add 'HKCU\Control Panel\Colors' /v ButtonFace /t REG_SZ /d "$1 $2 $3" /f >/dev/null
