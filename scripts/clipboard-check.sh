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
#   - the second editor, after Ctrl+V and a Ctrl+C of its own, offers the same
#     item elements again (the pasted items are its selection);
#   - after the first editor has closed, it says whether the data stayed on
#     the clipboard (that is up to the desktop's clipboard keeper; a bare
#     Xvfb has none).
# Needs xvfb, openbox, xdotool, xclip and x11-utils; run it by hand after
# building the editor and tarnwick-cli:
#   scripts/clipboard-check.sh [path/to/build]
# The first editor loads tests/data/shapes.twk; its rows 0 and 1 are
# selected by a click on row 0 of the item list and Shift+Down. If the list
# sits elsewhere, set ROW0_X and ROW0_Y (pixels inside the main window).
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
editor=$build/app/tarnwick
cli=$build/cli/tarnwick-cli
row0_x=${ROW0_X:-373}   # window margin 8 + canvas 320 + spacing 5 + 40 into the row
row0_y=${ROW0_Y:-42}    # margin 8 + the column header + half a row
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
start_editor() {  # folder [document]; prints the main window's id
  mkdir -p "$1/state"
  (cd "$1" && exec env -u QT_QPA_PLATFORM XDG_STATE_HOME="$1/state" "$editor" "${@:2}") >/dev/null 2>&1 &
  pids+=($!)
  xdotool search --sync --onlyvisible --pid "$!" 2>/dev/null | head -1
}
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.3; }
clip() { xclip -selection clipboard -o -t "$1" 2>/dev/null; }

status=0
fail() { echo "FAIL: $*"; status=1; }

mkdir -p "$work/one" "$work/two"
cp tests/data/shapes.twk "$work/one/shapes.twk"
first=$(start_editor "$work/one" shapes.twk)
first_pid=${pids[-1]}
second=$(start_editor "$work/two")
[ -n "$first" ] && [ -n "$second" ] || { echo "an editor window did not appear" >&2; exit 2; }
sleep 0.5

# Copy rows 0 and 1 in the first editor.
focus "$first"
xdotool mousemove --window "$first" "$row0_x" "$row0_y" click 1
xdotool key --clearmodifiers shift+Down ctrl+c
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

# Paste into the second editor; copying its selection gives the items back.
focus "$second"
xdotool key --clearmodifiers ctrl+v
sleep 0.3
xdotool key --clearmodifiers ctrl+c
sleep 0.5
clip application/x-tarnwick-items >"$work/again.xml" || true
items_of() { sed -e 's/.*<CData>/<CData>/' "$1"; }
[ "$(items_of "$work/again.xml")" = "$(items_of "$work/expected.xml")" ] ||
  fail "the second editor's pasted selection is not the two items"

# The first editor copies again and closes; does the copy outlive it?
focus "$first"
xdotool key --clearmodifiers ctrl+c
sleep 0.5
kill "$first_pid" 2>/dev/null || true
wait "$first_pid" 2>/dev/null || true
sleep 0.5
if clip TARGETS | grep -qx application/x-tarnwick-items; then
  echo "after the first editor closed the clipboard still offers the items"
else
  echo "after the first editor closed the clipboard is empty (no clipboard keeper runs here)"
fi

[ $status -eq 0 ] && echo "OK: three kinds offered, items text and pictures as saved and exported, pasted items selected in the second editor"
exit $status
