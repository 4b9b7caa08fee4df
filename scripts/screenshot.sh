#!/usr/bin/env bash
# Starts the program on the current display, lets it animate for a few
# seconds, saves a screenshot of its window to the given PNG file, and quits
# it with "q". Usage: screenshot.sh PROGRAM OUTPUT.png [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
program=$1
output=$2
seconds=${3:-3}

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# The window is titled with the program's path.
window=$("$here/focus-window.sh" "$program")
xdotool key z
sleep "$seconds"
xdotool key x
sleep 0.3
import -window "$window" "$output"
xdotool key q
wait_exit "$pid" 10 "the program, after q"
trap - EXIT
[[ $exit_status -eq 0 ]] || fail "the program ended with status $exit_status"
echo "Saved a screenshot of spinning-box to $output"
