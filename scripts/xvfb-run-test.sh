#!/usr/bin/env bash
# Runs one command against a private, freshly started Xvfb display and removes the display again
# afterwards, also when the command fails or the script is interrupted.
#
#   scripts/xvfb-run-test.sh [--screen WxHxD] [--] COMMAND [ARGS...]
#
# The command sees DISPLAY set to the new display (XAUTHORITY and WAYLAND_DISPLAY are cleared so
# that nothing reaches the user's desktop). Xvfb picks a free display number itself, so several
# runs can go on side by side. There is no window manager: a window appears exactly where the
# program puts it, without a frame.
#
# Exit status: the command's own; 77 (ctest's SKIP_RETURN_CODE) when Xvfb or one of the tools the
# window tests use (xdotool, import, xwininfo) is not installed; 70 when Xvfb does not start.
set -uo pipefail

screen=1280x1024x24
while [[ $# -gt 0 ]]; do
  case $1 in
    --screen) screen=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [[ $# -eq 0 ]]; then
  echo "usage: $0 [--screen WxHxD] [--] COMMAND [ARGS...]" >&2
  exit 64
fi

for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick xwininfo:x11-utils; do
  if ! command -v "${tool%%:*}" >/dev/null; then
    echo "SKIPPED: ${tool%%:*} is not installed (Debian package ${tool#*:}; see scripts/install-deps.sh)" >&2
    exit 77
  fi
done

workdir=$(mktemp -d "${TMPDIR:-/tmp}/xvfb-run-test.XXXXXX")
xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

: >"$workdir/display"
# -displayfd makes Xvfb choose an unused display number and write it once it accepts clients.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$workdir/display" \
  >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!

display=
for _ in $(seq 1 200); do
  display=$(tr -d '[:space:]' <"$workdir/display")
  [[ -n $display ]] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    break
  fi
  sleep 0.05
done
if [[ -z $display ]]; then
  echo "Xvfb did not start:" >&2
  cat "$workdir/xvfb.log" >&2
  exit 70
fi

env -u XAUTHORITY -u WAYLAND_DISPLAY DISPLAY=":$display" "$@"
