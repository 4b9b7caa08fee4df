#!/usr/bin/env bash
# Starts the program on the current display, lets it animate for a few
# seconds, saves a screenshot of its window to the given PNG file, and quits
# it with "q". Usage: screenshot.sh PROGRAM OUTPUT.png [SECONDS]
set -euo pipefail
program=$1
output=$2
seconds=${3:-3}

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# The window is titled with the program's path; find it by that exact title.
title=$(printf '%s' "$program" | sed 's/[][\\.*^$+?(){}|]/\\&/g')
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
  [[ -n $window ]] && break
  sleep 0.1
done
[[ -n $window ]] || { echo "screenshot: no window appeared" >&2; exit 1; }

# Xvfb has no window manager: focus the window and put the pointer in it.
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 10 10
xdotool key z
sleep "$seconds"
xdotool key x
sleep 0.3
import -window "$window" "$output"
xdotool key q
wait "$pid"
trap - EXIT
echo "Saved a screenshot of spinning-box to $output"
