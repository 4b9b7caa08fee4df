#!/usr/bin/env bash
# Runs the real program under valgrind's memcheck on the current display for
# about 200 frames (right clicks), quits it with "q", and fails if valgrind
# found any error with a frame in the program's own sources.
# Usage: memcheck.sh PROGRAM SOURCE_DIR
set -euo pipefail
program=$1
sources=$(cd "$2" && pwd)/src
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/lib.sh"

valgrind --tool=memcheck --xml=yes --xml-file="$work/memcheck.xml" --track-origins=yes \
  "$program" >"$work/out" 2>&1 &
pid=$!
"$(dirname "$0")/focus-window.sh" "$program" 60 >/dev/null || fail "no window appeared under valgrind"
# One frame per right click; the clicks are spaced so that each is drawn.
for _ in $(seq 200); do
  xdotool click 3
  sleep 0.05
done
xdotool key q
wait_exit "$pid" 60 "the program under valgrind, after q"
[[ $exit_status -eq 0 ]] || fail "exit status $exit_status under valgrind"

# Every error valgrind reported, and those with a frame in our sources.
errors=$(grep -c '<error>' "$work/memcheck.xml" || true)
ours=$(awk -v src="$sources" '
  /<error>/ { inside = 1; mine = 0 }
  inside && /<dir>/ && index($0, src) { mine = 1 }
  /<\/error>/ { count += mine; inside = 0 }
  END { print count + 0 }' "$work/memcheck.xml")
echo "memcheck: $errors errors in all, $ours with a frame in $sources"
[[ $ours -eq 0 ]] || { grep -B2 -A40 "$sources" "$work/memcheck.xml" | head -80; fail "memcheck errors in our code"; }
