#!/usr/bin/env bash
# Soak: the real program animating for a minute on the display. Its resident
# memory must not grow after warm-up (at most 256 KiB from 10 s to 60 s), it
# must still be animating at the end, "q" must still end it with status 0, and
# it must print nothing. Usage: soak_test.sh PROGRAM [SECONDS]
set -euo pipefail
program=$1
seconds=${2:-60}
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/../scripts/lib.sh"
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }

"$program" >"$work/out" 2>&1 &
pid=$!
window=$("$(dirname "$0")/../scripts/focus-window.sh" "$program") || fail "no window appeared"
xdotool key z

sleep 10
warm=$(rss_kib)
sleep $((seconds - 10))
end=$(rss_kib)
import -window "$window" "$work/a.png"
sleep 0.2
import -window "$window" "$work/b.png"
cmp -s "$work/a.png" "$work/b.png" && fail "the animation had stopped by the end"

xdotool key q
wait_exit "$pid" 10 "the program, after q"
[[ $exit_status -eq 0 ]] || fail "exit status $exit_status after q"
[[ ! -s $work/out ]] || fail "the program printed: $(head -c 500 "$work/out")"
growth=$((end - warm))
echo "resident memory at 10 s: ${warm} KiB, at ${seconds} s: ${end} KiB, growth ${growth} KiB"
[[ $growth -le 256 ]] || fail "resident memory grew by ${growth} KiB"
