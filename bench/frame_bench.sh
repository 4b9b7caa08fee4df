#!/usr/bin/env bash
# The frame loop of the real spinning-box, animating, against the least GLUT
# program that fills the same window (the toolkit-and-driver limit), on one
# display, alternated over several rounds. Both programs are measured the same
# way: started at a noted moment, animated with "z", quit with "q"; a
# preloaded recorder notes the time of every frame from outside. With
# "explorer" as fourth argument, the explorer against the window program
# instead, the window program at the explorer's size (900 x 640), the
# explorer's scene window alone counted (its panes are windows of their own).
# Usage: frame_bench.sh BUILD_DIR [ROUNDS] [SECONDS] [explorer]
# Prints one line per measure: "<name> ours=<median> limit=<median> ratio=<r>".
set -euo pipefail
build=$1
rounds=${2:-5}
seconds=${3:-5}
ours=("$build/spinning-box")
limit=("$build/bench/baseline_glut")
if [[ ${4:-} == explorer ]]; then
  ours=("$build/spinning-box-explorer")
  limit=("$build/spinning-box" -geometry 900x640)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
counter=$build/bench/libframe_counter.so
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"

now() { date +%s%N; }

# Runs one program, animating for $seconds, and leaves in $2 its frame times
# and in $2.marks the moments it was started, set running, and quit.
measure() {
  local out=$1 start running quit pid
  shift
  local program=$1
  start=$(now)
  FRAME_COUNTER_OUT=$out FRAME_COUNTER_WINDOW=1 LD_PRELOAD=$counter "$@" >/dev/null 2>&1 &
  pid=$!
  "$here/../scripts/focus-window.sh" "$program" >/dev/null || { kill "$pid"; fail "no window from $program"; }
  running=$(now)
  xdotool key z
  sleep "$seconds"
  quit=$(now)
  xdotool key q
  wait_exit "$pid" 10 "$program, after q"
  echo "$start $running $quit" >"$out.marks"
}

# Frames per second over the same stretch for both programs (from half a
# second after "z" to "q"), start-up ms (start to first frame) and peak KiB.
figures() {
  awk -v marks="$(cat "$1.marks")" '
    BEGIN { split(marks, m, " "); from = m[2] + 5e8; to = m[3] }
    NR == 1 { split($0, kv, "="); peak = kv[2]; next }
    NR == 2 { first = $1 }
    $1 >= from && $1 <= to { frames++ }
    END { printf "%.1f %.2f %d\n", frames / ((to - from) / 1e9), (first - m[1]) / 1e6, peak }
  ' "$1"
}

for round in $(seq "$rounds"); do
  measure "$work/ours-$round" "${ours[@]}"
  measure "$work/limit-$round" "${limit[@]}"
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
