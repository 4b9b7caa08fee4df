#!/usr/bin/env bash
# Runs on a private display that are interrupted (Ctrl+C), ended with TERM
# (as a time-out or a cancelled CI run ends them), or that fail while the
# program is up must leave nothing behind: no Xvfb, no program, and nothing
# else the command started.
# Every process started here carries a mark in its environment, so what is
# left over is found even after it has lost its parent.
# Usage: interrupt_test.sh PROGRAM INTERACTION_TEST
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib.sh"
program=$1
interaction_test=$2
export SPINNING_BOX_RUN_MARK="interrupt-test-$$-$RANDOM"

marked() {
  grep -lsx --null-data "SPINNING_BOX_RUN_MARK=$SPINNING_BOX_RUN_MARK" /proc/[0-9]*/environ |
    cut -d/ -f3 | while read -r pid; do alive "$pid" && echo "$pid"; done || true
}
named() { for pid in $(marked); do [[ $(cat "/proc/$pid/comm" 2>/dev/null) == "$1" ]] && echo "$pid"; done; }

# Starts a command as a terminal starts a foreground job: in a process group
# of its own, with Ctrl+C at its default action.
start_job() {
  perl -e 'use POSIX; $SIG{INT} = "DEFAULT"; setpgid(0, 0); exec @ARGV or die "exec: $!"' "$@" &
  job=$!
}

wait_for_program() {
  for _ in $(seq 300); do
    [[ -n $(named spinning-box) && -n $(named Xvfb) ]] && return 0
    sleep 0.1
  done
  fail "$1: the program and its display never came up"
}

expect_nothing_left() {
  for _ in $(seq 100); do
    [[ -z $(marked) ]] && return 0
    sleep 0.1
  done
  ps -o pid,comm,args -p "$(marked | paste -sd,)" >&2 || true
  fail "$1 left processes behind"
}

cases=(
  "the soak test|$here/../scripts/with-display.sh $here/soak_test.sh $program 60"
  "the interaction tests|$here/../scripts/with-display.sh $interaction_test"
)
for entry in "${cases[@]}"; do
  what=${entry%%|*}
  read -r -a command <<<"${entry#*|}"
  start_job "${command[@]}"
  wait_for_program "$what"
  sleep 0.5
  kill -INT -- "-$job"
  wait_exit "$job" 30 "$what, after Ctrl+C"
  expect_nothing_left "$what, interrupted with Ctrl+C,"
  echo "$what: interrupted with Ctrl+C, exit status $exit_status, nothing left behind"
done

# A run whose command fails while the program is still up on its display:
# it fails once this script has seen the program and says so.
go=$(mktemp -u)
start_job "$here/../scripts/with-display.sh" bash -c \
  "'$program' & until [[ -e '$go' ]]; do sleep 0.1; done; rm -f '$go'; exit 3"
wait_for_program "a failing run"
touch "$go"
wait_exit "$job" 30 "a failing run"
[[ $exit_status -eq 3 ]] || fail "a failing run ended with status $exit_status, not its command's 3"
expect_nothing_left "a failing run"
echo "a failing run: its status 3 came through, nothing left behind"

# TERM to the display script alone, as a time-out sends it, while its command
# ignores TERM and has started the program and a process that is no X client.
start_job "$here/../scripts/with-display.sh" bash -c "trap '' TERM; '$program' & sleep 300 & wait"
wait_for_program "a run ended with TERM"
[[ -n $(named sleep) ]] || fail "a run ended with TERM: its sleep never started"
kill -TERM "$job"
wait_exit "$job" 10 "a run ended with TERM"
expect_nothing_left "a run ended with TERM"
echo "a run ended with TERM: exit status $exit_status, ended in time, nothing left behind"
