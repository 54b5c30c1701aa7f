#!/usr/bin/env bash
# Starts the editor under a virtual X server with the openbox window manager
# and checks what the window manager makes of both windows: each can be
# closed but not maximised, the export window is transient for the main
# window, and a request to minimise leaves both windows on the screen.
# It prints each window's _NET_WM_ALLOWED_ACTIONS. Openbox lists
# _NET_WM_ACTION_MINIMIZE for every normal, dialog and utility window, as it
# ignores the Motif hint that asks for no minimising, so the editor restores
# a minimised window itself and this script checks that instead.
# Needs xvfb, openbox, xdotool and x11-utils; run it by hand after a build:
#   scripts/check-window-hints.sh [path/to/tarnwick] [--grab shot.png]
# --grab writes a picture of the screen with both windows open.
set -euo pipefail
cd "$(dirname "$0")/.."

editor=build/app/tarnwick
grab=""
while [ $# -gt 0 ]; do
  case "$1" in
    --grab) grab=$(realpath -m "$2"); shift 2 ;;
    *) editor=$1; shift ;;
  esac
done
editor=$(realpath "$editor")
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, openbox, xdotool, x11-utils)" >&2; exit 2; }
done

. scripts/virtual-desktop.sh
start_virtual_desktop 1024x768

# The editor writes its configuration into the working directory.
(cd "$work" && exec env -u QT_QPA_PLATFORM "$editor") >/dev/null 2>&1 &
pids+=($!)
main=$(xdotool search --sync --onlyvisible --pid "${pids[2]}" 2>/dev/null | head -1)
sleep 0.5
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key --clearmodifiers ctrl+e
export_window=$(visible_window "Export PNG")
sleep 0.5

status=0
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | sed 's/.*= //'; }
check() {  # window-name window-id
  local list
  list=$(actions "$2")
  echo "$1: _NET_WM_ALLOWED_ACTIONS = $list"
  case "$list" in *_NET_WM_ACTION_CLOSE*) ;; *) echo "  FAIL: no close action"; status=1 ;; esac
  case "$list" in *MAXIMIZE*) echo "  FAIL: can be maximised"; status=1 ;; esac
  case "$list" in *MINIMIZE*) echo "  (the window manager offers minimising; the editor refuses it)" ;; esac
  case "$(xprop -id "$2" _MOTIF_WM_HINTS)" in
    *"= 0x3, 0x26,"*) ;;  # functions: move, resize (of a fixed size) and close only
    *) echo "  FAIL: Motif hints do not ask for move and close only: $(xprop -id "$2" _MOTIF_WM_HINTS)"; status=1 ;;
  esac
}
viewable() { xwininfo -id "$1" | grep -q "Map State: IsViewable"; }
check "main window" "$main"
if [ -z "$export_window" ]; then
  echo "export window: FAIL: did not open (Ctrl+E)"
  status=1
else
  check "export window" "$export_window"
  transient=$(xprop -id "$export_window" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
  echo "export window: WM_TRANSIENT_FOR = ${transient:-none}; $(xprop -id "$export_window" _NET_WM_WINDOW_TYPE)"
  if [ -z "$transient" ] || [ $((transient)) -ne $((main)) ]; then
    echo "  FAIL: not transient for the main window ($main)"
    status=1
  fi
  # Minimising the export window takes the main window with it under
  # openbox; both must come back at once.
  xdotool windowminimize "$export_window"
  sleep 1
  for w in "$main" "$export_window"; do
    viewable "$w" || { echo "window $w: FAIL: stays minimised"; status=1; }
  done
fi

if [ -n "$grab" ]; then
  grab_screen "$grab"
  echo "screen written to $grab"
fi
[ $status -eq 0 ] && echo "OK: close but no maximise on both windows, minimising is undone, the export window is transient"
exit $status
