#!/usr/bin/env bash
# Takes the screenshot of the documentation, docs/screenshot.png: mouldview on
# examples/GeneralCourse.txt in a private Xvfb display, its 447 x 202 client area cut out of the
# screen. The picture is checked against mouldexport --png of the same file, which must give the
# same pixels, so the screenshot shows exactly what the program draws.
#
#   scripts/take-screenshot.sh [BUILD_DIR]     (default build/, after `make build`)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
for program in mouldview mouldexport; do
  if [[ ! -x $build/$program ]]; then
    echo "$build/$program is missing; build first (make build)" >&2
    exit 1
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mouldview-screenshot.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$root/examples/GeneralCourse.txt" "$work/"

# Runs inside the display: starts the program (it reads GeneralCourse.txt in the working
# directory), waits until its window has been shown and painted, grabs the client area twice to
# be sure the picture is settled, and ends the program through its own process id.
cat >"$work/grab.sh" <<'GRAB'
set -euo pipefail
mouldview=$1
out=$2
cd "$(dirname "$out")"
"$mouldview" &
pid=$!
stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
trap stop EXIT
for _ in $(seq 1 100); do
  xwininfo -name "Output Ardune Tevo model" 2>/dev/null | grep -q 'Map State: IsViewable' && break
  kill -0 "$pid" 2>/dev/null || { echo "mouldview ended before its window showed" >&2; exit 1; }
  sleep 0.1
done
previous=
for _ in $(seq 1 50); do
  sleep 0.2
  import -window root -crop 447x202+0+0 +repage -strip \
    -define png:exclude-chunks=date,time,tIME PNG24:"$out"
  current=$(md5sum <"$out")
  [[ $current == "$previous" ]] && exit 0
  previous=$current
done
echo "the window's picture did not settle" >&2
exit 1
GRAB

"$root/scripts/xvfb-run-test.sh" -- bash "$work/grab.sh" "$build/mouldview" "$work/window.png"

(cd "$work" && "$build/mouldexport" --climate GeneralCourse.txt --png export.png)
differing=$(compare -metric AE "$work/window.png" "$work/export.png" null: 2>&1 || true)
if [[ $differing != 0 ]]; then
  echo "the window and mouldexport --png differ in $differing pixels; screenshot not written" >&2
  exit 1
fi
cp "$work/window.png" "$root/docs/screenshot.png"
echo "docs/screenshot.png"
