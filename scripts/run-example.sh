#!/usr/bin/env bash
# Runs mouldview on the bundled example: started in the example's directory without arguments, it
# reads GeneralCourse.txt there and shows its chart until the window is closed. Then prints the
# mouldexport summary of the same climate file. Without a display the window cannot open, so only
# the summary is printed.
set -euo pipefail
build=$(cd "$1" && pwd)
example=$2
example_dir=$(cd "$(dirname "$example")" && pwd)
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  (cd "$example_dir" && "$build/mouldview")
else
  echo "No display (DISPLAY is not set): mouldview's window cannot open; the model run's summary follows."
fi
"$build/mouldexport" --climate "$example_dir/$(basename "$example")" --summary
