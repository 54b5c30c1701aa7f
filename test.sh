#!/usr/bin/env bash
# Builds everything and runs every test (no display needed).
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tarnwick_ensure_packages
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Fuzzing: the record loader, the export path (load, render at 1024 px,
# SVG), the depth pre-scan against the parser and the SVG reader, under libFuzzer with
# address and undefined-behaviour sanitizers, need their own clang build
# tree; ctest runs a bounded smoke run of each.
fuzz_build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$fuzz_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_FUZZ=ON \
  -DTARNWICK_GUI=OFF -DTARNWICK_BENCH=OFF -DTARNWICK_TESTS=ON >/dev/null
cmake --build "$fuzz_build" -j"$jobs" --target persist_fuzzer export_fuzzer depth_filter_fuzzer svg_import_fuzzer
ctest --test-dir "$fuzz_build" -R '_fuzz_smoke$' --output-on-failure -j"$jobs"

# Everything else: core, command-line and GUI tests. Its summary comes last.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
