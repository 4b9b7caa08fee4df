#!/usr/bin/env bash
# The frame loop of the real spinning-box, animating, against the least GLUT
# program that fills the same window (the toolkit-and-driver limit), on one
# display, alternated over several rounds. Frames are counted from outside by
# a preloaded counter; the programs print nothing.
# Usage: frame_bench.sh BUILD_DIR [ROUNDS] [SECONDS]
# Prints one line per measure: "<name> ours=<median> limit=<median> ratio=<r>".
set -euo pipefail
build=$1
rounds=${2:-3}
seconds=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
counter=$build/bench/libframe_counter.so
here=$(cd "$(dirname "$0")" && pwd)

# Runs one program animating for $seconds and leaves the counter's line in $2.
measure() {
  local program=$1 out=$2 start pid
  start=$(date +%s%N)
  BENCH_START_NS=$start FRAME_COUNTER_OUT=$out LD_PRELOAD=$counter "$program" >/dev/null 2>&1 &
  pid=$!
  "$here/../scripts/focus-window.sh" "$program" >/dev/null || { kill "$pid"; return 1; }
  xdotool key z  # starts spinning-box; the limit program animates from the start
  sleep "$seconds"
  xdotool key q
  wait "$pid"
}

# fps, start-up ms and peak KiB from one counter line.
figures() {
  awk '{
    for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
    fps = (v["frames"] - 2) / ((v["last_ns"] - v["second_ns"]) / 1e9)
    printf "%.1f %.2f %d\n", fps, (v["first_ns"] - v["start_ns"]) / 1e6, v["peak_kib"]
  }' "$1"
}

for round in $(seq "$rounds"); do
  measure "$build/spinning-box" "$work/ours-$round"
  measure "$build/bench/baseline_glut" "$work/limit-$round"
  figures "$work/ours-$round" >>"$work/ours"
  figures "$work/limit-$round" >>"$work/limit"
done

median() { sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
column=1
for name in frames-per-second start-up-ms peak-resident-kib; do
  ours=$(cut -d' ' -f$column "$work/ours" | median)
  limit=$(cut -d' ' -f$column "$work/limit" | median)
  echo "$name ours=$ours limit=$limit ratio=$(awk -v a="$ours" -v b="$limit" 'BEGIN { printf "%.3f", a / b }')"
  column=$((column + 1))
done
