#!/usr/bin/env bash
# Starts the program on the user's display. With no display, runs it on a
# virtual one instead and leaves a screenshot in the build folder.
set -euo pipefail
build=${1:-build}
if [[ -n ${DISPLAY:-} ]]; then
  exec "$build/spinning-box"
fi
echo "No DISPLAY is set: running spinning-box on a virtual display for a few seconds."
exec "$(dirname "$0")/with-display.sh" "$(dirname "$0")/screenshot.sh" "$build/spinning-box" "$build/screenshot.png" 3
