#!/usr/bin/env bash
# Times `tarnwick-cli export --sizes all` of a document against rsvg-convert
# making the same twelve PNGs from the document's SVG export, in alternating
# runs (one of ours, then one of rsvg's), and prints each side's median wall
# time and the ratio of the medians. Needs librsvg2-bin; run it by hand on a
# quiet machine after a build:
#   scripts/export-vs-rsvg.sh [build-dir] [document] [pairs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
document=$(realpath "${2:-tests/data/icon-100.twk}")
pairs=${3:-15}
command -v rsvg-convert >/dev/null || { echo "missing rsvg-convert (package librsvg2-bin)" >&2; exit 2; }
cli="$build/cli/tarnwick-cli"
sizes=(16 32 48 64 96 128 160 192 256 512 768 1024)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" export "$document" --format svg --out "$work/icon.svg"
mkdir "$work/ours" "$work/rsvg"

ours() { "$cli" export "$document" --sizes all --out "$work/ours/" >/dev/null; }
theirs() { for s in "${sizes[@]}"; do rsvg-convert -w "$s" -h "$s" "$work/icon.svg" -o "$work/rsvg/$s.png"; done; }
# Wall time of one run of "$@", in microseconds.
wall() {
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

ours; theirs  # warm the caches
a=() b=()
for ((i = 0; i < pairs; ++i)); do
  a+=("$(wall ours)")
  b+=("$(wall theirs)")
done
ma=$(printf '%s\n' "${a[@]}" | median)
mb=$(printf '%s\n' "${b[@]}" | median)
awk -v a="$ma" -v b="$mb" -v n="$pairs" 'BEGIN {
  printf "tarnwick-cli export --sizes all: median %.1f ms\n", a / 1000
  printf "rsvg-convert, the same 12 PNGs:  median %.1f ms\n", b / 1000
  printf "ratio of medians: %.2f x faster (%d pairs)\n", b / a, n
}'
