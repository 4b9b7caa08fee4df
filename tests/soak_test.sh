#!/usr/bin/env bash
# Soak: the real program animating for a minute on the display. Its resident
# memory must stop growing: a leak grows it frame after frame, to the end,
# while the GL driver may take one more piece of memory once, some seconds
# in (about 500 KiB, later on a loaded machine). So over the last 20 seconds
# it may grow by at most 64 KiB, and from 10 s to the end by at most 2 MiB.
# It must still be animating at the end, "q" must still end it with status
# 0, and it must print nothing. Usage: soak_test.sh PROGRAM [SECONDS]
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
sleep $((seconds - 30))
late=$(rss_kib)
sleep 20
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
late_growth=$((end - late))
echo "resident memory at 10 s: ${warm} KiB, at $((seconds - 20)) s: ${late} KiB, at ${seconds} s: ${end} KiB"
[[ $late_growth -le 64 ]] || fail "resident memory grew by ${late_growth} KiB over the last 20 s"
[[ $growth -le 2048 ]] || fail "resident memory grew by ${growth} KiB from 10 s"
