#!/usr/bin/env bash
# Runs one case of the result window's end-to-end tests (the Linux build's ui_e2e_test, which
# drives the window with real X input) against the Windows build under Wine, on the display that
# scripts/xvfb-run-test.sh opened:
#
#   window-test.sh PREFIX MOULDVIEW.EXE MOULDEXPORT.EXE LINUX-UI-E2E-TEST CASE
#
# The cases share one Wine prefix, one at a time (ctest's RESOURCE_LOCK): Wine's desktop process
# belongs to the display it started on, so the prefix's processes are ended after each case. Each
# case starts with the desktop colours of a freshly installed Windows, which mouldexport.exe paints
# with, so the window and the export can be compared pixel for pixel.
set -uo pipefail

prefix=$1
mouldview=$2
mouldexport=$3
test_program=$4
case_name=$5
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh

if [[ ! -x $test_program ]]; then
  echo "SKIPPED: the Linux build's window tests are missing ($test_program; make build)"
  exit 77
fi
if ! command -v wine >/dev/null; then
  echo "SKIPPED: wine is not installed"
  exit 77
fi

export WINEPREFIX
mkdir -p "$prefix"
WINEPREFIX=$(cd "$prefix" && pwd)
wineserver -k 2>/dev/null
"$wine_run" --prefix "$WINEPREFIX" regedit /S "$here/default-colours.reg" || exit 70

launcher="$wine_run --prefix $WINEPREFIX"
export MOULDVIEW_UNDER_TEST="$launcher $mouldview"
export MOULDEXPORT_UNDER_TEST="$launcher $mouldexport"
export SET_BUTTON_FACE_UNDER_TEST="$here/set-button-face.sh"
export FRAME_FROM_THE_CORNER_UNDER_TEST=1
"$test_program" --gtest_filter="$case_name"
status=$?
wineserver -k 2>/dev/null
exit $status
