#!/usr/bin/env bash
# Draws two items in the editor under a virtual X server with openbox,
# kills the editor with SIGKILL, starts it again in the same folder and
# answers Yes to "Restore the drawing that was not saved?"; then compares
# the canvas and the item list with what they showed before the kill, and
# lists the state folder. Prints "same" or "DIFFERENT" for each and ends
# with 0 only when both are the same.
# Needs xvfb, openbox, xdotool, x11-utils and imagemagick; run it by hand
# after a build:  scripts/check-recovery-after-kill.sh [path/to/tarnwick]
set -euo pipefail
cd "$(dirname "$0")/.."

editor=$(realpath "${1:-build/app/tarnwick}")
for tool in Xvfb openbox xdotool xprop import compare; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill -9 "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=90
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 200); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
sleep 0.5

export XDG_STATE_HOME="$work/state"
start_editor() {
  (cd "$work" && exec env -u QT_QPA_PLATFORM "$editor") >>"$work/editor.log" 2>&1 &
  editor_pid=$!
  pids+=("$editor_pid")
  main=$(xdotool search --sync --onlyvisible --pid "$editor_pid" --name "^Tarnwick ::" | head -1)
  sleep 0.5
}

# The canvas is 320 x 320 pixels, 8 pixels in from the window's corner; the
# item list is to its right.
canvas() { import -window "$main" -crop 320x320+8+8 +repage "$1"; }
list() { import -window "$main" -crop 140x320+333+8 +repage "$1"; }
drag() {
  xdotool mousemove --window "$main" "$1" "$2" mousedown 1
  xdotool mousemove --window "$main" "$3" "$4" sleep 0.1 mouseup 1
  sleep 0.3
}

start_editor
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
drag 48 48 200 120
drag 100 260 260 60
canvas "$work/canvas-before.png"
list "$work/list-before.png"
sleep 1.5  # a copy is written at most a second after a change
kill -9 "$editor_pid"
wait "$editor_pid" 2>/dev/null || true
echo "after the kill:"; ls "$XDG_STATE_HOME/tarnwick"

start_editor
question=$(xdotool search --sync --onlyvisible --pid "$editor_pid" --name "^Tarnwick$" | head -1)
xdotool windowactivate --sync "$question" >/dev/null 2>&1 || true
xdotool key --window "$question" alt+y
sleep 1.5
canvas "$work/canvas-after.png"
list "$work/list-after.png"
echo "after Yes:"; ls "$XDG_STATE_HOME/tarnwick"

status=0
for part in canvas list; do
  differing=$(compare -metric AE "$work/$part-before.png" "$work/$part-after.png" null: 2>&1 || true)
  if [ "$differing" = 0 ]; then echo "$part: same"; else echo "$part: DIFFERENT ($differing pixels)"; status=1; fi
done
# The canvas really shows a drawing (not two empty grids alike).
blank=$(convert "$work/canvas-before.png" -format %k info:)
echo "colours on the canvas: $blank"
exit $status
