#!/usr/bin/env bash
# Starts the program, or the explorer, on the user's display. With no
# display, runs it on a virtual one instead and leaves a screenshot in the
# build folder. Usage: run.sh BUILD_DIR [explorer]
set -euo pipefail
build=${1:-build}
program=$build/spinning-box
[[ ${2:-} == explorer ]] && program=$build/spinning-box-explorer
if [[ -n ${DISPLAY:-} ]]; then
  exec "$program"
fi
echo "No DISPLAY is set: running $(basename "$program") on a virtual display for a few seconds."
exec "$(dirname "$0")/with-display.sh" "$(dirname "$0")/screenshot.sh" "$program" "$build/$(basename "$program").png" 3
