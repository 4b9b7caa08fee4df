#!/usr/bin/env bash
# `make test` started from a desktop: DISPLAY points at a display with a window
# manager (twm) and a focused window that records every key and button event
# (xev). The suite must pass with no time-out, the recording window must
# record nothing, and it must keep the keyboard focus and the pointer.
# The desktop is itself a private virtual display, so this test in turn
# leaves the desktop it is started from alone. Usage: desktop_test.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/lib.sh"

if [[ ${1:-} != --on-desktop ]]; then
  exec "$top/scripts/with-display.sh" "$0" --on-desktop
fi

work=$(mktemp -d)
helpers=()
trap 'kill "${helpers[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT

# twm's own defaults ask the user to place each new window by hand; random
# placement does not. Without fonts named, twm exits at once.
cat >"$work/twmrc" <<'EOF'
RandomPlacement
TitleFont "fixed"
ResizeFont "fixed"
MenuFont "fixed"
IconFont "fixed"
IconManagerFont "fixed"
EOF
twm -f "$work/twmrc" >"$work/twm.log" 2>&1 &
wm=$!
helpers+=("$wm")

stdbuf -oL xev -name desktop-recorder -geometry 400x300+50+50 \
  -event keyboard -event button >"$work/events" 2>&1 &
helpers+=($!)
recorder=$("$top/scripts/focus-window.sh" desktop-recorder 10) || fail "the recording window never appeared"

# The window manager must really be running and managing windows: it frames
# each one, so the recorder's parent is a frame, not the root window. Wait for
# the frame: twm reparents the window after it is mapped, and the reparenting
# can take the focus that was given before it.
alive "$wm" || fail "twm is not running: $(cat "$work/twm.log")"
root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
parent_of() { xwininfo -tree -id "$recorder" | awk '/Parent window id:/ { print $4 }'; }
for _ in $(seq 50); do
  [[ $(parent_of) != "$root" ]] && break
  sleep 0.1
done
[[ $(parent_of) != "$root" ]] || fail "twm did not frame the recording window"

input_events() { grep -cE '^(KeyPress|KeyRelease|ButtonPress|ButtonRelease) event' "$work/events" || true; }

# The recorder sees what is typed and clicked on this desktop. Focus it again
# now that it is framed, and type until it has seen a key and a click.
for _ in $(seq 5); do
  "$top/scripts/focus-window.sh" desktop-recorder 5 >/dev/null
  xdotool key a click 1
  for _ in $(seq 20); do
    [[ $(input_events) -ge 4 ]] && break 2
    sleep 0.1
  done
done
[[ $(input_events) -ge 4 ]] || fail "the recording window did not record a key and a click"
before=$(input_events)
focus=$(xdotool getwindowfocus)
pointer=$(xdotool getmouselocation)

echo "desktop $DISPLAY: twm running, recorder window $recorder focused; running make test"
start=$(date +%s)
make -C "$top" test >"$work/make.log" 2>&1 || {
  tail -n 60 "$work/make.log" >&2
  fail "make test failed on the desktop"
}
seconds=$(($(date +%s) - start))
grep -E 'tests passed|Total Test time' "$work/make.log"
grep -q 'Timeout' "$work/make.log" && fail "a test timed out: $(grep Timeout "$work/make.log")"

after=$(input_events)
[[ $after -eq $before ]] || fail "the desktop's window recorded $((after - before)) input events during make test"
[[ $(xdotool getwindowfocus) == "$focus" ]] || fail "the desktop's focus moved during make test"
[[ $(xdotool getmouselocation) == "$pointer" ]] || fail "the desktop's pointer moved during make test"
alive "$wm" || fail "twm stopped during make test"
echo "desktop test: make test passed in ${seconds} s; the desktop recorded no input, and kept its focus and pointer"
