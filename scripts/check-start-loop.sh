#!/usr/bin/env bash
# Starts the editor again and again under a virtual X server with openbox
# while the machine is kept busy, and checks that every start shows the main
# window and ends normally when the window is closed. Every fourth start is
# made on a second X server that ends at a random moment of the start (as a
# test harness tears one down): that start must end with status 1 and a
# line saying so, never by a signal. A start that goes wrong keeps its
# stderr and its core (gdb prints the backtrace of every thread) in
# check-start-loop/ under the current folder.
# Needs xvfb, openbox, xdotool and x11-utils (gdb for the backtraces); run it
# by hand after a build:
#   scripts/check-start-loop.sh [path/to/tarnwick] [starts, default 300]
# Ends with 0 only when every start went well.
set -euo pipefail
editor=$(realpath "${1:-build/app/tarnwick}")
starts=${2:-300}
kept=$(pwd)/check-start-loop
cd "$(dirname "$0")/.."
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 2; }
done
source scripts/virtual-desktop.sh
start_virtual_desktop 1024x768

# Load: a busy loop per core, and a writer that keeps the disk flushing.
for _ in $(seq "$(nproc)"); do
  (while :; do :; done) &
  pids+=($!)
done
(while :; do dd if=/dev/zero of="$work/load" bs=1M count=16 conv=fsync status=none; done) &
pids+=($!)

# Keeps what a start that went wrong left: its stderr, core and backtrace.
keep() {
  bad=$((bad + 1))
  echo "start $n: $1"
  mkdir -p "$kept"
  cp "$run/err" "$kept/err-$n"
  if [ -f "$run/core" ]; then
    cp "$run/core" "$kept/core-$n"
    command -v gdb >/dev/null &&
      gdb -batch -ex "thread apply all bt" "$editor" "$run/core" >"$kept/backtrace-$n" 2>&1 || true
  fi
}

# A start on an X server that ends while the editor starts.
start_on_ending_display() {
  local number=$((DISPLAY_NUMBER + 1))
  while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
  local server=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.02; done
  sleep 0.2
  (cd "$run" && exec env -u QT_QPA_PLATFORM DISPLAY=":$number" XDG_STATE_HOME="$run/state" "$editor") \
    >"$run/out" 2>"$run/err" &
  local started=$!
  sleep "0.$((RANDOM % 5))$((RANDOM % 10))"
  kill "$server"
  wait "$server" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$started" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$started" 2>/dev/null || true
  local status=0
  wait "$started" || status=$?
  # Shown and then cut off, or refused before it showed: status 1 either way.
  [ "$status" = 1 ] || keep "status $status on a display that ended"
}

DISPLAY_NUMBER=${DISPLAY#:}
ulimit -c unlimited
bad=0
for n in $(seq "$starts"); do
  run="$work/run-$n"
  mkdir -p "$run/state"
  if [ $((n % 4)) = 0 ]; then
    start_on_ending_display
    rm -rf "$run"
    continue
  fi
  # Cores are written to the folder the editor runs in.
  (cd "$run" && exec env -u QT_QPA_PLATFORM XDG_STATE_HOME="$run/state" "$editor") >"$run/out" 2>"$run/err" &
  editor_pid=$!
  window=""
  for _ in $(seq 300); do
    kill -0 "$editor_pid" 2>/dev/null || break
    window=$(xdotool search --onlyvisible --pid "$editor_pid" --name "^Tarnwick ::" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -n "$window" ]; then
    # Closed as a user closes it: openbox's Alt+F4.
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4 || true
    for _ in $(seq 100); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$editor_pid" 2>/dev/null && kill -9 "$editor_pid"
  else
    kill -9 "$editor_pid" 2>/dev/null || true
  fi
  status=0
  wait "$editor_pid" || status=$?
  if [ "$status" != 0 ] || [ -z "$window" ]; then keep "status $status, window ${window:-none}"; fi
  rm -rf "$run"
done
echo "$starts starts, $bad went wrong"
[ "$bad" = 0 ]
