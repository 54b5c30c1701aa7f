#!/bin/sh
# CPU time of one tarnwick-cli call exporting COUNT line icons at 16, 20 and
# 24 px, fitted, against rsvg-convert run once per file and size (the loop
# icon pipelines run today). The icons are made by many_icons.py in a
# temporary folder. Prints farm-bench's figures for both and their ratio.
#
# usage: bench/many_export_vs_rsvg.sh PATH/TO/tarnwick-cli [COUNT] [RUNS]
set -eu
cli=$(realpath "$1")
count=${2:-1000}
runs=${3:-3}
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/many_icons.py" "$work/icons" "$count"
mkdir "$work/rsvg"
cat >"$work/rsvg.sh" <<LOOP
for f in "$work"/icons/*.svg; do
  n=\$(basename "\$f" .svg)
  for s in 16 20 24; do rsvg-convert -w \$s -h \$s "\$f" -o "$work/rsvg/\$n.\${s}x\$s.png"; done
done
LOOP
farm-bench -n "$runs" --timeout 3600 \
  --vs "sh $work/rsvg.sh" \
  -- sh -c "exec '$cli' export '$work'/icons/*.svg --sizes 16,20,24 --fit --out '$work/out'"
