#!/usr/bin/env bash
# Brings SVG images into the editor through the real windows, under a virtual
# X server with the openbox window manager, the three ways a user does:
#   - named on the command line: the drawing is the image as `tarnwick-cli
#     dump` reads it, unsaved (the editor keeps a recovery copy of it), and
#     one "Load data" message names the part left out;
#   - dragged from a file manager (a small Qt program that drags a file as
#     file managers do, offering copy and move) and dropped on the canvas
#     with xdotool's pointer: the drawing is the dropped image, the file was
#     taken as a copy and is still there;
#   - put on the clipboard with `xclip -t image/svg+xml` and pasted with
#     Ctrl+V after a click on the palette's blue: the image's items, drawn in
#     the tool colour where it says currentColor, lie in front of the dropped
#     drawing's items;
# and, once the editor has closed, its configuration names NAME.twk beside
# the dropped image, never the image.
# What the editor holds is read from its recovery copy, written at most a
# second after every change. Needs xvfb, openbox, xdotool, xclip, x11-utils,
# g++ and the Qt 6 development files; run it by hand after building the
# editor and tarnwick-cli:
#   scripts/svg-import-check.sh [path/to/build] [--grab FOLDER]
# --grab keeps a picture of the screen after each step. The canvas and the palette strip are found at the sizes of a
# screen of 96 dots per inch; set CANVAS_X/Y and BLUE_X/Y (pixels inside the
# main window) for others.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
grab=""
while [ $# -gt 0 ]; do
  case "$1" in
    --grab) grab=$(realpath -m "$2"); shift 2 ;;
    *) build=$1; shift ;;
  esac
done
build=$(realpath "$build")
editor=$build/app/tarnwick
cli=$build/cli/tarnwick-cli
canvas_x=${CANVAS_X:-120} canvas_y=${CANVAS_Y:-120}  # inside the 320-pixel canvas at the top left
blue_x=${BLUE_X:-114} blue_y=${BLUE_Y:-345}           # the sixth palette slot, pure blue
for tool in Xvfb openbox xdotool xclip xprop python3 g++ pkg-config; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, openbox, xdotool, xclip, x11-utils, g++)" >&2; exit 2; }
done
for program in "$editor" "$cli"; do
  [ -x "$program" ] || { echo "missing $program: build the tarnwick and tarnwick-cli targets" >&2; exit 2; }
done

. scripts/virtual-desktop.sh
start_virtual_desktop 1280x800
g++ -std=c++17 -fPIC -o "$work/drag-source" scripts/drag-file-source.cpp $(pkg-config --cflags --libs Qt6Widgets)
[ -z "$grab" ] || mkdir -p "$grab"
shot() { [ -z "$grab" ] || grab_screen "$grab/$1.png"; }

status=0
fail() { echo "FAIL: $*"; status=1; }

# Three small icons: one with a text the items cannot draw, one in plain
# colours, one in currentColor.
mkdir -p "$work/editor/state" "$work/files"
cat >"$work/files/star.svg" <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none" stroke="#0a7f3f" stroke-width="2" stroke-linecap="round">
  <path d="M12 3l2.6 5.6 6 .7-4.5 4.1 1.2 6-5.3-3-5.3 3 1.2-6L3.4 9.3l6-.7z"/>
  <text x="1" y="23">star</text>
</svg>
EOF
cat >"$work/files/heart.svg" <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">
  <path d="M12 20s-7-4.4-7-10a4 4 0 0 1 7-2.6A4 4 0 0 1 19 10c0 5.6-7 10-7 10z" fill="none" stroke="#c0143c" stroke-width="2" stroke-linejoin="round"/>
  <circle cx="12" cy="11" r="2" fill="#c0143c"/>
</svg>
EOF
cat >"$work/files/badge.svg" <<'EOF'
<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24" fill="none" stroke="currentColor" stroke-width="1.5">
  <rect x="3" y="3" width="18" height="18" rx="4"/>
  <polyline points="8 12 11 15 16 9"/>
</svg>
EOF

# The editor's drawing, as saved, a moment after its last change: its
# newest recovery copy (a drawing replaced unsaved keeps one of its own).
drawing() {
  sleep 1.5
  local copy
  copy=$(ls -t "$work"/editor/state/tarnwick/editor-*.twk 2>/dev/null | head -1)
  if [ -n "$copy" ]; then "$cli" dump "$copy"; else echo "(no recovery copy: nothing unsaved)"; fi
}
items_of() { sed -e 's/.*<CData>//' -e 's/<\/CData>.*//'; }

# 1. Named on the command line.
(cd "$work/editor" && exec env -u QT_QPA_PLATFORM XDG_STATE_HOME="$work/editor/state" "$editor" "$work/files/star.svg") >/dev/null 2>&1 &
pids+=($!)
editor_pid=$!
main=$(xdotool search --sync --onlyvisible --pid "$editor_pid" 2>/dev/null | head -1)
message=$(visible_window "Load data")
shot 1-command-line
if [ -z "$message" ]; then
  fail "no \"Load data\" message named what star.svg left out"
else
  xdotool windowactivate --sync "$message" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers Return
fi
[ "$(drawing)" = "$("$cli" dump "$work/files/star.svg" 2>/dev/null)" ] ||
  fail "after opening star.svg the unsaved drawing is not the image as tarnwick-cli reads it"

# 2. Dragged from a "file manager" and dropped on the canvas.
"$work/drag-source" "$work/files/heart.svg" >"$work/drag.out" 2>/dev/null &
pids+=($!)
source=$(xdotool search --sync --onlyvisible --pid "$!" 2>/dev/null | head -1)
xdotool windowmove --sync "$source" 1100 600 >/dev/null 2>&1 || true
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$source" 60 60 mousedown 1
for step in 1 2 3 4 5 6 7 8; do  # a drag is a series of moves
  xdotool mousemove $((1160 + (X + canvas_x - 1160) * step / 8)) $((660 + (Y + canvas_y - 660) * step / 8))
  sleep 0.1
done
sleep 0.3  # the editor's answer to the last move reaches the source first
xdotool mouseup 1
sleep 0.5
shot 2-dropped
[ "$(cat "$work/drag.out")" = copy ] || fail "the drop was taken as \"$(cat "$work/drag.out")\", not as a copy"
[ -f "$work/files/heart.svg" ] || fail "heart.svg is gone after the drop"
[ "$(drawing)" = "$("$cli" dump "$work/files/heart.svg" 2>/dev/null)" ] ||
  fail "after dropping heart.svg the unsaved drawing is not the image as tarnwick-cli reads it"

# 3. On the clipboard as image/svg+xml, pasted in the palette's blue.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool mousemove --window "$main" "$blue_x" "$blue_y" click 1
xclip -selection clipboard -t image/svg+xml -i "$work/files/badge.svg"
sleep 0.3
xdotool key --clearmodifiers ctrl+v
expected=$("$cli" dump --color '#0000ff' "$work/files/badge.svg" 2>/dev/null | items_of)$("$cli" dump "$work/files/heart.svg" | items_of)
after=$(drawing)
shot 3-pasted
[ "$(items_of <<<"$after")" = "$expected" ] ||
  fail "after Ctrl+V the drawing is not badge.svg's items in blue in front of heart.svg's"

# 4. Closed: the configuration names the document beside the dropped image.
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
for _ in $(seq 150); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
recent=$(python3 - "$work/editor/Tarnwick.cfg" <<'EOF'
# The configuration: its payload length (32-bit little-endian), then zlib.
import re, sys, zlib
text = zlib.decompress(open(sys.argv[1], "rb").read()[4:]).decode("utf-8")
print((re.search(r"<RecentFile>(.*?)</RecentFile>", text) or re.search(r"()", "")).group(1))
EOF
)
[ "$recent" = "$work/files/heart.twk" ] || fail "the configuration's last document is \"$recent\", not heart.twk beside the image"

[ $status -eq 0 ] && echo "OK: opened from the command line with one message, dropped as a copy, pasted in the tool colour at the front, heart.twk remembered"
exit $status
