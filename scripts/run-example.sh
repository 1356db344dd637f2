#!/usr/bin/env bash
# Shows a climate file in mouldview's result window: mouldview is started in the file's directory
# without arguments, so the file must be named GeneralCourse.txt (as the bundled example is); once
# the window is closed, the mouldexport summary of the same file follows. Without a display
# (neither DISPLAY nor WAYLAND_DISPLAY set) the window cannot open; the same chart is then written
# with mouldexport --png to BUILD_DIR/<name>.png instead, after the summary.
#
#   scripts/run-example.sh BUILD_DIR CLIMATE_FILE
set -euo pipefail
if [[ $# -ne 2 ]]; then
  echo "usage: $0 BUILD_DIR CLIMATE_FILE" >&2
  exit 64
fi
build_arg=$1
build=$(cd "$1" && pwd)
example=$2
example_dir=$(cd "$(dirname "$example")" && pwd)
example_name=$(basename "$example")

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  png="$build_arg/${example_name%.*}.png"
  "$build/mouldexport" --climate "$example_dir/$example_name" --png "$png" --summary
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so no window: the chart that"
  echo "mouldview shows for $example was written to $png instead."
  exit 0
fi

if [[ $example_name != GeneralCourse.txt ]]; then
  echo "$0: mouldview reads GeneralCourse.txt from its working directory; $example has another name" >&2
  exit 64
fi
echo "mouldview on $example: drag with the left button towards the right to zoom into the"
echo "rectangle, towards the left to undo; drag with the right button to scroll; the wheel scrolls"
echo "up and down. Close the window to end."
(cd "$example_dir" && "$build/mouldview")
"$build/mouldexport" --climate "$example_dir/$example_name" --summary
