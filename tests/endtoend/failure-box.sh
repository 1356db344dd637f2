#!/usr/bin/env bash
# mouldview's start-up failure where a display is available: the cause on standard error, a modal
# box captioned "Error" that waits for its OK button, then exit status 217. Where DISPLAY names a
# display that cannot be reached, a second line says the box could not be shown. Runs a private
# Xvfb server; skipped (status 77) where Xvfb, xdotool or xwininfo are missing.
# Usage: failure-box.sh MOULDVIEW_EXECUTABLE
set -uo pipefail
exe=$1
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
work=$(mktemp -d /tmp/mouldview-box-XXXXXX)
# A display number of its own: Xvfb reports the one it took, so tests running at the same time
# never share a server. Without -noreset the server resets whenever its last client leaves, and
# the polling below (one short-lived client after another) then made the program's own
# connection fail now and then on a busy machine.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
display=:$(head -1 "$work/display")
for _ in $(seq 100); do xwininfo -display "$display" -root >/dev/null 2>&1 && break; sleep 0.1; done

# No GeneralCourse.txt in the working directory: the model run fails at once.
(cd "$work" && DISPLAY=$display exec "$exe" 2>"$work/stderr") &
program=$!
box=
for _ in $(seq 150); do
  box=$(xwininfo -display "$display" -root -tree 2>/dev/null | awk '/"Error"/ {print $1; exit}')
  [[ -n $box ]] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [[ -z $box ]]; then
  echo "FAIL: no window titled \"Error\" appeared"
  kill "$program" 2>/dev/null
  cat "$work/stderr"
  exit 1
fi
# The program waits for the box: it must still be running now.
sleep 0.5
if ! kill -0 "$program" 2>/dev/null; then
  echo "FAIL: the program ended without waiting for the box"
  exit 1
fi
DISPLAY=$display xdotool windowfocus --sync "$box" key Return
status=0
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
wait "$program" || status=$?
expected="mouldview: GeneralCourse.txt: File not found"
if [[ $status -ne 217 ]]; then
  echo "FAIL: exit status $status, expected 217"; cat "$work/stderr"
  exit 1
fi
if [[ $(cat "$work/stderr") != "$expected" ]]; then
  echo "FAIL: standard error was: $(cat "$work/stderr")"
  exit 1
fi

# A display number nobody serves: the window cannot open (checked before the model run), no box
# can be shown either, and standard error says both.
unserved=$(( ${display#:} + 100 ))
while [[ -e /tmp/.X11-unix/X$unserved ]]; do unserved=$((unserved + 1)); done
status=0
(cd "$work" && DISPLAY=:$unserved timeout 20 "$exe" 2>"$work/stderr") || status=$?
expected="mouldview: cannot open a window: cannot connect to the X display \":$unserved\""$'\n'"mouldview: the error box could not be shown"
if [[ $status -ne 217 || $(cat "$work/stderr") != "$expected" ]]; then
  echo "FAIL: unreachable display: exit status $status, standard error: $(cat "$work/stderr")"
  exit 1
fi
echo "box shown, dismissed with OK, exit status 217, cause on standard error; no box where none can be shown"
