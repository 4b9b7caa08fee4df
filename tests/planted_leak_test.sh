#!/usr/bin/env bash
# Under the sanitizer build: a copy of the program that leaks a block on each
# frame is reported by the leak checker, with the driver's suppression in
# force, while the real program under the same settings is reported clean.
# Usage: planted_leak_test.sh LEAKY_PROGRAM PROGRAM PRELOAD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"
leaky=$1
program=$2
preload=$3
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
pid=""
# The same leak checking and suppressions as the sanitizer build's test run.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$here/lsan.supp:print_suppressions=0

# Runs one program for ten frames, quits it with "q" and leaves its status
# in exit_status and what it wrote in $work/NAME.log.
run() {
  local path=$1 name=$2
  LD_PRELOAD=$preload "$path" >"$work/$name.log" 2>&1 &
  pid=$!
  "$here/../scripts/focus-window.sh" "$path" 30 >/dev/null || fail "no window from $name"
  for _ in $(seq 10); do
    xdotool click 3
    sleep 0.05
  done
  xdotool key q
  wait_exit "$pid" 60 "$name, after q"
}

run "$leaky" leaky
[[ $exit_status -ne 0 ]] || fail "the leaky program ended with status 0: its leak went unreported"
grep -q 'ERROR: LeakSanitizer: detected memory leaks' "$work/leaky.log" ||
  fail "no leak report for the leaky program: $(head -c 2000 "$work/leaky.log")"
grep -q 'displayFrame' "$work/leaky.log" ||
  fail "the leak report does not lead back to the frame: $(head -c 4000 "$work/leaky.log")"
echo "leaky copy: status $exit_status, reported: $(grep -m1 "Direct leak" "$work/leaky.log")"

run "$program" real
[[ $exit_status -eq 0 ]] || fail "the real program ended with status $exit_status: $(head -c 4000 "$work/real.log")"
! grep -q 'LeakSanitizer' "$work/real.log" || fail "the real program has a leak report: $(head -c 4000 "$work/real.log")"
echo "real program: status 0, no leak report"
