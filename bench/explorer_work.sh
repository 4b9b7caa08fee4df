#!/usr/bin/env bash
# The explorer's own work in a frame, against all the work of its frames:
# the real explorer, animating, under callgrind, instruments counted for 15 s
# once it has warmed up (every thread: the driver's rasterisers too). Its
# own work is what runs in its own code (physics, the exact solution, the
# inset's geometry, the readouts, the calls it makes to draw) and in the
# maths library it calls. Instructions are counted, not timed, so the share
# does not depend on what else the machine does.
# Usage: explorer_work.sh BUILD_DIR   (on a display of its own)
# Prints: "explorer-own-work own_ir=<n> total_ir=<n> percent=<p>".
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$(cd "$build" && pwd)/spinning-box-explorer

valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$work/out" "$program" \
  >"$work/log" 2>&1 &
pid=$!
"$here/../scripts/focus-window.sh" "$program" 120 >/dev/null || fail "no explorer window under callgrind"
sleep 5
callgrind_control -i on "$pid" >/dev/null
sleep 15
xdotool key q
wait_exit "$pid" 60 "the explorer under callgrind, after q"
callgrind_annotate --threshold=100 "$work/out" >"$work/annotated" 2>/dev/null
awk -v program="$program" '
  /PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
  index($0, "[" program "]") || /libm\.so/ { gsub(",", "", $1); own += $1 }
  END { printf "explorer-own-work own_ir=%d total_ir=%d percent=%.3f\n", own, total, 100 * own / total }
' "$work/annotated"
