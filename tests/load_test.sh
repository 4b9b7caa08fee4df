#!/usr/bin/env bash
# The whole suite, the one-minute soak aside, run again and again while two
# busy loops at normal priority keep both cores loaded: every run must pass.
# A test that counts frames or steps after a fixed number of loop turns,
# waits or sleeps, instead of counting what it means, fails here sooner or
# later. Usage: load_test.sh BUILD_DIR [RUNS]   (default 10 runs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/lib.sh"
build=$1
runs=${2:-10}

hogs=()
work=$(mktemp -d)
trap 'kill "${hogs[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in 1 2; do
  bash -c 'while :; do :; done' &
  hogs+=($!)
done

failures=0
start=$(date +%s)
for run in $(seq "$runs"); do
  if ctest --test-dir "$build" -LE soak -j 2 --output-on-failure >"$work/run.log" 2>&1; then
    echo "run $run of $runs: $(grep 'tests passed' "$work/run.log")"
  else
    failures=$((failures + 1))
    echo "run $run of $runs FAILED:"
    grep -E '\((Failed|Timeout|SEGFAULT|Subprocess)' "$work/run.log" || true
    cp "$work/run.log" "$build/load-test-run-$run.log"
    echo "  (log kept in $build/load-test-run-$run.log)"
  fi
done
echo "load test: $runs runs with both cores busy, $failures failed, in $(($(date +%s) - start)) s"
[[ $failures -eq 0 ]] || fail "$failures of $runs runs failed under load"
