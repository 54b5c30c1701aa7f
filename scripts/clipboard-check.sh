#!/usr/bin/env bash
# Copies two items in one editor and pastes them into a second editor started
# in another folder, under a virtual X server with the openbox window manager,
# and checks what went over the system clipboard:
#   - `xclip -t TARGETS` lists application/x-tarnwick-items, image/svg+xml and
#     image/png;
#   - the items text holds the two items' elements exactly as saving writes
#     them, inside <TWKITEMS> with the source document's size;
#   - image/png and image/svg+xml equal what tarnwick-cli exports at 256
#     pixels from a document holding only those two items;
#   - the second editor, after Ctrl+V, keeps the same item elements in its
#     drawing and, with a Ctrl+C of its own, offers them again (the pasted
#     items are its selection);
#   - after the first editor has closed, it lists what stayed on the
#     clipboard (that is up to the desktop's clipboard keeper; a bare Xvfb
#     has none), and a third editor pastes the items from there.
# Needs xvfb, openbox, xdotool, xclip and x11-utils; run it by hand after
# building the editor and tarnwick-cli:
#   scripts/clipboard-check.sh [path/to/build]
# The first editor loads tests/data/shapes.twk; its rows 0 and 1 are
# selected by a click into the item list, Home and Shift+Down. If the list
# sits elsewhere, set LIST_X and LIST_Y (pixels inside the main window).
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
editor=$build/app/tarnwick
cli=$build/cli/tarnwick-cli
list_x=${LIST_X:-373}   # window margin 8 + canvas 320 + spacing 5 + 40 into the list
list_y=${LIST_Y:-60}    # a row or two below the column header
for tool in Xvfb openbox xdotool xclip xprop python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, openbox, xdotool, xclip, x11-utils)" >&2; exit 2; }
done
for program in "$editor" "$cli"; do
  [ -x "$program" ] || { echo "missing $program: build the tarnwick and tarnwick-cli targets" >&2; exit 2; }
done

. scripts/virtual-desktop.sh
start_virtual_desktop 1280x800

# Each editor runs in a folder of its own, with its own configuration and
# state folder, as two people's editors would.
start_editor() {  # folder [document]; sets `window` to the main window's id
  mkdir -p "$1/state"
  (cd "$1" && exec env -u QT_QPA_PLATFORM XDG_STATE_HOME="$1/state" "$editor" "${@:2}") >/dev/null 2>&1 &
  pids+=($!)
  window=$(xdotool search --sync --onlyvisible --pid "$!" 2>/dev/null | head -1)
}
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.3; }
clip() { xclip -selection clipboard -o -t "$1" 2>/dev/null; }

status=0
fail() { echo "FAIL: $*"; status=1; }

mkdir -p "$work/one" "$work/two"
cp tests/data/shapes.twk "$work/one/shapes.twk"
start_editor "$work/one" shapes.twk
first=$window
first_pid=${pids[-1]}
start_editor "$work/two"
second=$window
[ -n "$first" ] && [ -n "$second" ] || { echo "an editor window did not appear" >&2; exit 2; }
sleep 0.5

# Copy rows 0 and 1 in the first editor.
focus "$first"
xdotool mousemove --window "$first" "$list_x" "$list_y" click 1
xdotool key --clearmodifiers Home shift+Down ctrl+c
sleep 0.5

targets=$(clip TARGETS || true)
echo "TARGETS after Ctrl+C in the first editor:"
echo "$targets" | sed 's/^/  /'
for kind in application/x-tarnwick-items image/svg+xml image/png; do
  grep -qx "$kind" <<<"$targets" || fail "the clipboard does not offer $kind"
done
clip application/x-tarnwick-items >"$work/copied.xml" || true
clip image/png >"$work/copied.png" || true
clip image/svg+xml >"$work/copied.svg" || true

# What the copy should hold: rows 0 and 1 of the saved document, and the
# exports of a document holding only them.
"$cli" dump "$work/one/shapes.twk" >"$work/saved.xml"
python3 - "$work/saved.xml" "$work/expected.xml" "$work/only.twk" <<'EOF'
# The wrapper of the first two item elements, and a document file holding
# only them (tagged container: 74 00 77 00, L, N, zlib stream of the text
# zero-filled to 64 bytes).
import re, struct, sys, zlib
saved = open(sys.argv[1], encoding="utf-8").read().strip()
size = re.match(r"<TWKFILE>(<TWKW>.*?</TWKH>)<CData>", saved).group(1)
items = "".join(re.findall(r"<element>.*?</element>", saved)[:2])
open(sys.argv[2], "w", encoding="utf-8").write(f"<TWKITEMS>{size}<CData>{items}</CData></TWKITEMS>")
payload = f"<TWKFILE>{size}<CData>{items}</CData></TWKFILE>".encode("utf-8")
payload += b"\0" * max(0, 64 - len(payload))
stream = zlib.compress(payload, 6)
open(sys.argv[3], "wb").write(b"t\0w\0" + struct.pack("<ii", len(stream), len(payload)) + stream)
EOF
"$cli" export "$work/only.twk" --format png --sizes 256 --out "$work/only" >/dev/null
"$cli" export "$work/only.twk" --format svg --sizes 256 --out "$work/only" >/dev/null
cmp -s "$work/copied.xml" "$work/expected.xml" || fail "the items text is not the two saved item elements in <TWKITEMS>"
cmp -s "$work/copied.png" "$work/only.256x256.png" || fail "image/png differs from the 256 x 256 export of the two items"
cmp -s "$work/copied.svg" "$work/only.svg" || fail "image/svg+xml differs from the SVG export of the two items at 256"

# What an editor's drawing holds: its recovery copy, kept at most a second
# after every change, is the document as Save would write it.
items_of() { sed -e 's/.*<CData>/<CData>/' -e 's/<\/TWK[A-Z]*>$//' "$1"; }
drawing_of() {  # folder file
  sleep 1.5
  local copy
  copy=$(find "$1/state" -name 'editor-*.twk' | head -1)
  if [ -n "$copy" ]; then "$cli" dump "$copy" >"$2"; else : >"$2"; fi
}
# Pastes into the editor in `folder`, then copies there after the clipboard
# was taken over by xclip: the items come back only if the pasted items are
# the editor's selection.
paste_into() {  # window folder name
  focus "$1"
  xdotool key --clearmodifiers ctrl+v
  drawing_of "$2" "$work/$3.twk.xml"
  [ "$(items_of "$work/$3.twk.xml")" = "$(items_of "$work/expected.xml")" ] ||
    fail "the $3 editor's drawing after Ctrl+V does not save to the two item elements"
  printf 'not items' | xclip -selection clipboard -i
  xdotool key --clearmodifiers ctrl+c
  sleep 0.5
  clip application/x-tarnwick-items >"$work/$3.xml" || true
  [ "$(items_of "$work/$3.xml")" = "$(items_of "$work/expected.xml")" ] ||
    fail "the $3 editor's selection after Ctrl+V is not the two pasted items"
}
paste_into "$second" "$work/two" second

# The first editor copies again and is closed through its window, so it ends
# as it would on a desktop, handing the clipboard to a clipboard keeper if
# one runs (xfce4-clipman is started for that when installed). An editor
# started after that pastes. When no keeper kept the items, xclip stands in
# for one with the items text read before the close, so the later editor
# still pastes from a clipboard whose owner is another program.
if command -v xfce4-clipman >/dev/null; then
  xfce4-clipman >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
fi
focus "$first"
xdotool key --clearmodifiers ctrl+c
sleep 0.5
clip application/x-tarnwick-items >"$work/kept.xml" || true
xdotool key --clearmodifiers alt+F4
for _ in $(seq 150); do kill -0 "$first_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$first_pid" 2>/dev/null && fail "the first editor did not close"
echo "TARGETS after the first editor closed:"
(clip TARGETS || true) | sed 's/^/  /'
if ! clip TARGETS | grep -qx application/x-tarnwick-items; then
  echo "no clipboard keeper kept the items; xclip stands in for one"
  xclip -selection clipboard -t application/x-tarnwick-items -i "$work/kept.xml"
fi
mkdir -p "$work/three"
start_editor "$work/three"
paste_into "$window" "$work/three" third

[ $status -eq 0 ] && echo "OK: three kinds offered, items text and pictures as saved and exported, pasted items saved and selected"
exit $status
