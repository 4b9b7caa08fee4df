#!/usr/bin/env bash
# Pictures of the real program, drawn on the current display.
#   screenshot.sh PROGRAM OUTPUT.png [SECONDS]
#     lets it animate for a few seconds, then saves its window;
#   screenshot.sh --animate FRAMES STEPS PROGRAM OUTPUT.gif
#     saves FRAMES pictures of its window, STEPS right clicks (one step each)
#     apart, as a looping animation at 15 pictures a second.
# Either way it quits the program with "q" afterwards. SCREENSHOT_KEYS, if
# set, are keys (xdotool's names, space apart) typed into the window first;
# SCREENSHOT_ARGS, if set, the program's options.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
frames=0
if [[ $1 == --animate ]]; then
  frames=$2
  steps=$3
  shift 3
fi
program=$1
output=$2
seconds=${3:-3}
work=$(mktemp -d)

"$program" ${SCREENSHOT_ARGS:-} &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# The window is titled with the program's path (both programs take argv[0]).
window=$("$here/focus-window.sh" "$program")
picture() { import -window "$window" "$1"; }
for key in ${SCREENSHOT_KEYS:-}; do
  xdotool key "$key"
  sleep 0.2
done

if [[ $frames -eq 0 ]]; then
  xdotool key z
  sleep "$seconds"
  xdotool key x
  sleep 0.3
  picture "$output"
else
  # Stopped first: the explorer starts running (the window program does not).
  xdotool key x
  sleep 0.3
  picture "$work/frame-00000.ppm"
  for frame in $(seq -f %05g 1 $((frames - 1))); do
    xdotool click --repeat "$steps" --delay 20 3
    # Waits for the new picture; the first may still show the old one.
    for _ in $(seq 50); do
      picture "$work/frame-$frame.ppm"
      cmp -s "$work/frame-$frame.ppm" "$work/frame-$(printf %05d $((10#$frame - 1))).ppm" || break
      sleep 0.1
    done
    cmp -s "$work/frame-$frame.ppm" "$work/frame-$(printf %05d $((10#$frame - 1))).ppm" &&
      fail "no new picture came after $steps right clicks"
  done
  # SCREENSHOT_WIDTH, if set, scales the pictures down to that width.
  convert -delay 7 -loop 0 "$work"/frame-*.ppm ${SCREENSHOT_WIDTH:+-resize "$SCREENSHOT_WIDTH"x} \
    -layers Optimize "$output"
fi
xdotool key q
wait_exit "$pid" 10 "the program, after q"
trap 'rm -rf "$work"' EXIT
[[ $exit_status -eq 0 ]] || fail "the program ended with status $exit_status"
echo "Saved $output from the real program ($(du -k "$output" | cut -f1) KiB)"
