#!/usr/bin/env bash
# Builds everything and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tarnwick_ensure_packages
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
