#!/usr/bin/env bash
# The trace tool on a box with three different sides, 10^7 steps printed
# every 1000th, against the model's bare step loop with the attitude step over
# the same steps, alternated over several rounds.
# Usage: trace_bench.sh BUILD_DIR [ROUNDS]
# Prints: "trace-tool ours_ms=<median> bare_ms=<median> ratio=<r>".
set -euo pipefail
build=$1
rounds=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s%N; }
elapsed_ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f\n", (b - a) / 1e6 }'; }

for _ in $(seq "$rounds"); do
  start=$(now)
  "$build/spinning-box-trace" --sides 1,2,3 --omega 0.1,1,0.1 --step 0.01 --steps 10000000 \
    --every 1000 >"$work/trace.csv"
  middle=$(now)
  "$build/bench/step_loop" 1 2 3 0.1 1 0.1 0.01 10000000 >"$work/loop.txt"
  end=$(now)
  elapsed_ms "$start" "$middle" >>"$work/ours"
  elapsed_ms "$middle" "$end" >>"$work/bare"
done
[[ $(wc -l <"$work/trace.csv") -eq 10002 ]] || { echo "the trace did not print 10001 rows" >&2; exit 1; }

median() { sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
ours=$(median <"$work/ours")
bare=$(median <"$work/bare")
echo "trace-tool ours_ms=$ours bare_ms=$bare ratio=$(awk -v a="$ours" -v b="$bare" 'BEGIN { printf "%.3f", a / b }')"
