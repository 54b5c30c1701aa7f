# Sourced by the scripts that drive the editor through a real window
# manager: start_virtual_desktop WIDTHxHEIGHT starts Xvfb on a free display
# and openbox on it, exports DISPLAY, and makes a scratch folder $work.
# visible_window TITLE prints the id of the shown window of that exact
# title once it appears (nothing after 5 seconds).
# Everything started is in $pids (append the editor's id there) and is
# ended, newest first, when the script exits.
work=$(mktemp -d)
pids=()
stop_virtual_desktop() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap stop_virtual_desktop EXIT

start_virtual_desktop() {
  local display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
  # The frame buffer is kept as a file ($work/Xvfb_screen0, XWD) for grabs.
  Xvfb ":$display" -screen 0 "${1}x24" -nolisten tcp -fbdir "$work" >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$display"
  for _ in $(seq 200); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
  xprop -root >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; exit 2; }
  openbox --sm-disable >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || { echo "openbox did not start" >&2; exit 2; }
  sleep 0.5
}

visible_window() {
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

# grab_screen FILE.png writes what the screen shows now as a PNG.
grab_screen() {
  python3 - "$work/Xvfb_screen0" "$1" <<'PYTHON'
# The frame buffer file is an XWD image (32-bit pixels, BGRX); write it as PNG.
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
header = struct.unpack(">25I", data[:100])
size, width, height = header[0], header[4], header[5]
bytes_per_line, ncolors = header[12], header[19]
pixels = data[size + ncolors * 12:]
rows = bytearray()
for y in range(height):
    line = pixels[y * bytes_per_line:y * bytes_per_line + 4 * width]
    rgb = bytearray(3 * width)
    rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
    rows += b"\0" + rgb
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
PYTHON
}
