#!/usr/bin/env bash
# Runs the benchmarks and prints one table of ratios, each measured against a
# baseline in the same run, and on the last line whether each target is met.
# Usage: run.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)

models=$("$build/bench/model_bench" --benchmark_repetitions=7 --benchmark_min_time=0.2 \
  --benchmark_color=false)
model=$(printf '%s\n' "$models" | grep -o 'model-step.*')
exact=$(printf '%s\n' "$models" | grep -o 'exact-state.*')
frames=$("$here/../scripts/with-display.sh" "$here/frame_bench.sh" "$build" 5 5)
trace=$("$here/trace_bench.sh" "$build" 5)
explorer=$("$here/../scripts/with-display.sh" "$here/frame_bench.sh" "$build" 5 5 explorer)
own=$("$here/../scripts/with-display.sh" "$here/explorer_work.sh" "$build" | grep -o 'explorer-own-work.*')
web=$(node "$here/web_bench.mjs" "${WEB_BUILD_DIR:-build-web}" 5 3)

field() { printf '%s\n' "$1" | tr ' ' '\n' | awk -F= -v k="$2" '$1 == k { print $2 }'; }
line() { printf '%s\n' "$frames" | grep "^$1 "; }

fps=$(line frames-per-second)
start=$(line start-up-ms)
peak=$(line peak-resident-kib)

met() { awk -v r="$1" -v op="$2" -v t="$3" 'BEGIN { ok = (op == "<=") ? (r <= t) : (r >= t); print ok ? "met" : "MISSED" }'; }
step_ok=$(met "$(field "$model" ratio)" "<=" 1.0)
fps_ok=$(met "$(field "$fps" ratio)" ">=" 0.8)
start_ok=$(met "$(field "$start" ratio)" "<=" 1.15)
peak_ok=$(met "$(field "$peak" ratio)" "<=" 1.3)
trace_ok=$(met "$(field "$trace" ratio)" "<=" 1.5)
exact_ok=$(met "$(field "$exact" ours_ns)" "<=" 1000)
explorer_line() { printf '%s\n' "$explorer" | grep "^$1 "; }
explorer_fps=$(explorer_line frames-per-second)
explorer_start=$(explorer_line start-up-ms)
explorer_fps_ok=$(met "$(field "$explorer_fps" ratio)" ">=" 0.8)
explorer_start_ok=$(met "$(field "$explorer_start" ratio)" "<=" 1.2)
own_ok=$(met "$(field "$own" percent)" "<=" 2)
web_line() { printf '%s\n' "$web" | grep "^$1 "; }
web_fps=$(web_line web-frames-per-second)
web_first=$(web_line web-first-frame-ms)
web_size=$(web_line web-gzipped-kb)
web_fps_ok=$(met "$(field "$web_fps" ratio)" ">=" 0.95)
web_first_ok=$(met "$(field "$web_first" ratio)" "<=" 1.5)
web_size_ok=$(met "$(field "$web_size" ours)" "<=" 100)
web_explorer_fps=$(web_line web-explorer-frames-per-second)
web_explorer_first=$(web_line web-explorer-first-frame-ms)
web_explorer_size=$(web_line web-explorer-gzipped-kb)
web_explorer_fps_ok=$(met "$(field "$web_explorer_fps" ratio)" ">=" 0.95)
web_explorer_first_ok=$(met "$(field "$web_explorer_first" ratio)" "<=" 1.5)
web_explorer_size_ok=$(met "$(field "$web_explorer_size" ours)" "<=" 120)

printf '%-34s %14s %14s %8s %8s\n' "measure (median)" "spinning-box" "baseline" "ratio" "target"
printf '%-34s %14s %14s %8s %8s\n' "model step, ns (vs odeint rk4)" "$(field "$model" ours_ns)" "$(field "$model" peer_ns)" "$(field "$model" ratio)" "<= 1.0"
printf '%-34s %14s %14s %8s %8s\n' "  odeint, coefficients per call" "$(field "$model" ours_ns)" "$(field "$model" fresh_peer_ns)" "$(field "$model" fresh_ratio)" "-"
printf '%-34s %14s %14s %8s %8s\n' "frames per second (vs clear+swap)" "$(field "$fps" ours)" "$(field "$fps" limit)" "$(field "$fps" ratio)" ">= 0.8"
printf '%-34s %14s %14s %8s %8s\n' "start to first frame, ms" "$(field "$start" ours)" "$(field "$start" limit)" "$(field "$start" ratio)" "<= 1.15"
printf '%-34s %14s %14s %8s %8s\n' "peak resident memory, KiB" "$(field "$peak" ours)" "$(field "$peak" limit)" "$(field "$peak" ratio)" "<= 1.3"
printf '%-34s %14s %14s %8s %8s\n' "exact state, ns (vs boost sn cn dn)" "$(field "$exact" ours_ns)" "$(field "$exact" peer_ns)" "$(field "$exact" ratio)" "<=1000ns"
printf '%-34s %14s %14s %8s %8s\n' "trace tool 10^7 steps, ms (vs bare)" "$(field "$trace" ours_ms)" "$(field "$trace" bare_ms)" "$(field "$trace" ratio)" "<= 1.5"
printf '%-34s %14s %14s %8s %8s\n' "explorer frames/s (vs window, same)" "$(field "$explorer_fps" ours)" "$(field "$explorer_fps" limit)" "$(field "$explorer_fps" ratio)" ">= 0.8"
printf '%-34s %14s %14s %8s %8s\n' "explorer start to first frame, ms" "$(field "$explorer_start" ours)" "$(field "$explorer_start" limit)" "$(field "$explorer_start" ratio)" "<= 1.2"
printf '%-34s %14s %14s %8s %8s\n' "explorer's own work, % of Ir" "$(field "$own" percent)" "-" "-" "<= 2"
printf '%-34s %14s %14s %8s %8s\n' "web frames per second (vs clear)" "$(field "$web_fps" ours)" "$(field "$web_fps" limit)" "$(field "$web_fps" ratio)" ">= 0.95"
printf '%-34s %14s %14s %8s %8s\n' "web first frame, ms (vs clear)" "$(field "$web_first" ours)" "$(field "$web_first" limit)" "$(field "$web_first" ratio)" "<= 1.5"
printf '%-34s %14s %14s %8s %8s\n' "web .js + .wasm gzipped, KB" "$(field "$web_size" ours)" "-" "-" "<= 100"
printf '%-34s %14s %14s %8s %8s\n' "web explorer frames/s (vs clear)" "$(field "$web_explorer_fps" ours)" "$(field "$web_explorer_fps" limit)" "$(field "$web_explorer_fps" ratio)" ">= 0.95"
printf '%-34s %14s %14s %8s %8s\n' "web explorer first frame, ms" "$(field "$web_explorer_first" ours)" "$(field "$web_explorer_first" limit)" "$(field "$web_explorer_first" ratio)" "<= 1.5"
printf '%-34s %14s %14s %8s %8s\n' "web explorer page gzipped, KB" "$(field "$web_explorer_size" ours)" "-" "-" "< 120"
echo "targets: model step $step_ok, exact state $exact_ok, frame rate $fps_ok, start-up $start_ok, peak memory $peak_ok, trace tool $trace_ok, explorer frame rate $explorer_fps_ok, explorer start-up $explorer_start_ok, explorer own work $own_ok, web frame rate $web_fps_ok, web first frame $web_first_ok, web size $web_size_ok, web explorer frame rate $web_explorer_fps_ok, web explorer first frame $web_explorer_first_ok, web explorer size $web_explorer_size_ok"
echo
echo "one step of each integrator, beside rk4 in the same run; the flip case to T = 40 at h = 0.01:"
"$build/bench/stepper_bench"
