#!/usr/bin/env bash
# Waits for the visible window titled exactly TITLE, gives it the keyboard
# focus, puts the pointer inside it (Xvfb has no window manager to do either)
# and prints its id. Usage: focus-window.sh TITLE [SECONDS]
set -euo pipefail
title=$(printf '%s' "$1" | sed 's/[][\\.*^$+?(){}|]/\\&/g')
tries=$(( ${2:-10} * 10 ))
for _ in $(seq "$tries"); do
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
  if [[ -n $window ]]; then
    xdotool windowfocus --sync "$window"
    xdotool mousemove --window "$window" 10 10
    echo "$window"
    exit 0
  fi
  sleep 0.1
done
echo "no window titled $1 appeared" >&2
exit 1
