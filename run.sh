#!/usr/bin/env bash
# Builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: run the editor on a desktop, or under a virtual one with: xvfb-run -a ./run.sh" >&2
  exit 1
fi
. scripts/deps.sh
tarnwick_ensure_packages
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target tarnwick
exec ./build/app/tarnwick
