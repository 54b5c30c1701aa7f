#!/usr/bin/env bash
# Drives the built editor under Xvfb and openbox with xdotool, as a quick
# hand would, and reads the results back from its recovery copy:
#   a press straight after a click (within the double-click time) draws;
#   a second line started where the first ended is drawn;
#   Esc with Ctrl still held puts a dragged item back exactly;
#   a Ctrl+drag on empty ground over two of three lines, then Delete,
#   leaves the third.
#   scripts/check-pointer-routes.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
. scripts/virtual-desktop.sh
start_virtual_desktop 1280x800
export XDG_STATE_HOME=$work/state
failed=0

start_editor() {
  (cd "$work" && exec env -u QT_QPA_PLATFORM "$build/app/tarnwick") >/dev/null 2>&1 &
  pids+=($!)
  main=$(xdotool search --sync --onlyvisible --pid "${pids[-1]}" 2>/dev/null | head -1)
  xdotool windowmove --sync "$main" 24 24
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  sleep 0.7
}
stop_editor() { kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null || true; unset 'pids[-1]'; rm -rf "$XDG_STATE_HOME"; }
# The canvas's top-left pixel on the screen with the window at 24, 24 under
# openbox's default theme; cells are 20 pixels at 96 dpi.
ox=33; oy=52
mv() { xdotool mousemove $((ox + $1 * 20 + 10)) $((oy + $2 * 20 + 10)); sleep 0.04; }
# The drawing as the recovery copy holds it (written within a second).
drawing() { sleep 1.6; "$build/cli/tarnwick-cli" dump "$(ls "$XDG_STATE_HOME"/tarnwick/editor-*.twk | head -1)"; }
count() { drawing | grep -o "<Type>" | wc -l; }
check() { if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1 (got $2, want $3)"; failed=1; fi; }

start_editor
mv 2 2; xdotool click 1; sleep 0.15
xdotool mousedown 1; mv 4 3; mv 6 2; xdotool mouseup 1
check "a press 150 ms after a click at the same place draws" "$(count)" 1
mv 2 8; xdotool mousedown 1; mv 3 8; xdotool mouseup 1; sleep 0.1
xdotool mousedown 1; mv 3 12; xdotool mouseup 1
check "a second line started where the first ended, 100 ms later, is drawn" "$(count)" 3
before=$(drawing)
xdotool keydown ctrl; mv 3 9; xdotool mousedown 1; mv 6 10; mv 8 11; sleep 0.3
xdotool key Escape; sleep 0.2; mv 9 12; xdotool mouseup 1; xdotool keyup ctrl
check "Esc with Ctrl held puts the dragged item back exactly" "$(drawing | md5sum)" "$(echo "$before" | md5sum)"
stop_editor

start_editor
for y in 2 5 12; do mv 2 $y; xdotool mousedown 1; mv 6 $y; mv 10 $y; xdotool mouseup 1; sleep 0.6; done
xdotool keydown ctrl; mv 14 0; xdotool mousedown 1; mv 8 4; mv 1 7; xdotool mouseup 1; xdotool keyup ctrl
sleep 0.4; xdotool key Delete
check "a band over two of three lines, then Delete, leaves the third" \
  "$(drawing | grep -o "<Y1>[^<]*</Y1>" | tr -d '\n')" "<Y1>12.5</Y1>"
stop_editor
exit $failed
