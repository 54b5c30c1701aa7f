# Sourced by the hand-run window checks. Gives a scratch folder `work` and a
# list `pids` of the processes a check starts; at exit they are stopped (last
# first) and the folder removed. start_x_session starts a virtual X server on
# a free display, with the given extra Xvfb options, and the openbox window
# manager on it, and exports DISPLAY; it exits with status 2 when either does
# not come up.

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_x_session() {
  local display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  Xvfb ":$display" -nolisten tcp "$@" >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$display"
  for _ in $(seq 200); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
  xprop -root >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; exit 2; }
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || { echo "openbox did not start" >&2; exit 2; }
}
