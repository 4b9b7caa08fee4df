#!/usr/bin/env bash
# Two `make test` runs at the same time, each in a fresh clone of this
# repository's committed state: both must pass. They build apart and every
# test picks a free private display, so neither may disturb the other.
# Usage: clones_test.sh [MINUTES]   (time limit for each run, default 40)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/lib.sh"
minutes=${1:-40}

work=$(mktemp -d)
runs=()
trap 'kill "${runs[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT

for clone in a b; do
  git clone -q "$top" "$work/$clone"
done
start=$(date +%s)
for clone in a b; do
  make -C "$work/$clone" test >"$work/$clone.log" 2>&1 &
  runs+=($!)
done

failed=0
clones=(a b)
for i in 0 1; do
  clone=${clones[$i]}
  wait_exit "${runs[$i]}" $((minutes * 60)) "make test in clone $clone"
  if [[ $exit_status -ne 0 ]]; then
    tail -n 40 "$work/$clone.log" >&2
    echo "make test in clone $clone failed with status $exit_status" >&2
    failed=1
  else
    echo "clone $clone: $(grep 'tests passed' "$work/$clone.log")"
  fi
done
[[ $failed -eq 0 ]] || fail "the two runs did not both pass"
echo "clones test: both runs passed, side by side, in $(($(date +%s) - start)) s"

# A newcomer's first commands in the built clone, with no display: `make run`
# shows the window program and `make explore` the explorer, each on a virtual
# display, leaving a picture named after the program it ran.
for target in run:spinning-box explore:spinning-box-explorer; do
  goal=${target%%:*}
  program=${target#*:}
  env -u DISPLAY make -C "$work/a" "$goal" >"$work/$goal.log" 2>&1 ||
    { cat "$work/$goal.log" >&2; fail "make $goal failed"; }
  grep -q "running $program on a virtual display" "$work/$goal.log" ||
    { cat "$work/$goal.log" >&2; fail "make $goal did not run $program"; }
  [[ -s $work/a/build/$program.png ]] || fail "make $goal left no picture of $program"
done
echo "clones test: make run and make explore each ran their own program"
