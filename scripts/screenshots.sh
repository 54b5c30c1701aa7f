#!/usr/bin/env bash
# Makes the README's pictures in docs/ from the built programs:
#   docs/editor.png  the editor under a real window manager with
#                    tests/data/icon-100.twk open and the Preview beside it;
#   docs/sizes.png   the twelve exported PNG sizes of tests/data/shapes.twk
#                    side by side;
#   docs/fitting.png the test icons in tests/data/fit at 24 pixels, as
#                    drawn above and fitted to their pixels below, enlarged.
# Re-run it when the windows change. Needs xvfb, openbox, xdotool,
# x11-utils, imagemagick and optipng; run it by hand after a build:
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
for tool in Xvfb openbox xdotool xprop xwininfo import convert optipng; do
  command -v "$tool" >/dev/null || {
    echo "missing $tool (packages xvfb, openbox, xdotool, x11-utils, imagemagick, optipng)" >&2; exit 2; }
done
document=$(realpath tests/data/icon-100.twk)
mkdir -p docs

. scripts/virtual-desktop.sh
start_virtual_desktop 1280x800

# The editor writes its configuration into the working directory.
(cd "$work" && exec env -u QT_QPA_PLATFORM "$build/app/tarnwick" "$document") >/dev/null 2>&1 &
pids+=($!)
main=$(xdotool search --sync --onlyvisible --pid "${pids[-1]}" 2>/dev/null | head -1)
xdotool windowmove --sync "$main" 24 24
xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
sleep 0.5
xdotool key --clearmodifiers p
preview=$(visible_window Preview)
[ -n "$preview" ] || { echo "the Preview did not open (key P)" >&2; exit 1; }
sleep 1

# The rectangle around both windows with their frames, and a small margin.
frame() {  # window-id: prints "left top right bottom" of its frame
  local x y w h extents
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$1" | sed -n 's/.*Width: *//p')
  h=$(xwininfo -id "$1" | sed -n 's/.*Height: *//p')
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo $((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))
}
read -r l1 t1 r1 b1 < <(frame "$main")
read -r l2 t2 r2 b2 < <(frame "$preview")
margin=8
left=$(( (l1 < l2 ? l1 : l2) - margin )); top=$(( (t1 < t2 ? t1 : t2) - margin ))
right=$(( (r1 > r2 ? r1 : r2) + margin )); bottom=$(( (b1 > b2 ? b1 : b2) + margin ))
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage docs/editor.png

# The twelve sizes, smallest first, bottoms level, on white.
mkdir "$work/sizes"
"$build/cli/tarnwick-cli" export tests/data/shapes.twk --out "$work/sizes" >/dev/null
mapfile -t sizes < <(cd "$work/sizes" && ls ./*.png | sort -t. -k3 -n | sed "s|^\.|$work/sizes|")
convert -background white "${sizes[@]}" -bordercolor white -border 8 -gravity south +append \
  -border 8 -strip docs/sizes.png

# Before and after fitting: each icon at 24 pixels, enlarged 5 times with
# its pixels kept square.
mkdir "$work/drawn" "$work/fitted"
for icon in tests/data/fit/*.twk; do
  name=$(basename "$icon" .twk)
  "$build/cli/tarnwick-cli" export "$icon" --sizes 24 --out "$work/drawn/$name.png" >/dev/null
  "$build/cli/tarnwick-cli" export "$icon" --sizes 24 --fit --out "$work/fitted/$name.png" >/dev/null
done
for row in drawn fitted; do
  convert -background white "$work/$row"/*.png -bordercolor white -border 3 +append "$work/$row.png"
done
convert "$work/drawn.png" \( "$work/fitted.png" -background '#c8c8c8' -splice 0x2 \) -append -filter point \
  -resize 500% -bordercolor white -border 8 -strip docs/fitting.png

optipng -quiet -o5 -strip all docs/editor.png docs/sizes.png docs/fitting.png
ls -l docs/editor.png docs/sizes.png docs/fitting.png
