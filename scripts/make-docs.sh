#!/usr/bin/env bash
# Regenerates the README's figures from the trace tool's output with gnuplot,
# the animated picture from the real program, and the web page's screenshot.
# Run it on a display of its own: `make docs` does. Usage: make-docs.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
trace=$build/spinning-box-trace
docs=$top/docs
flip=(--sides 1,2,3 --omega 0.1,1,0.1)

"$trace" --steps 1000 >"$build/trace-1000.csv"
"$trace" --steps 100000 --every 100 >"$build/trace-100000.csv"
"$trace" "${flip[@]}" --steps 3000 --every 10 >"$build/trace-flip.csv"
"$trace" --steps 3000 --every 5 >"$build/trace-attitude.csv"

# The error at t = 10 for steps from 0.2 down to 0.001, both boxes.
error_at_10() {
  local h=$1 steps
  shift
  steps=$(awk -v h="$h" 'BEGIN { printf "%d", 10 / h + 0.5 }')
  "$trace" "$@" --step "$h" --steps "$steps" --every "$steps" | tail -n 1 | cut -d, -f10
}
for h in 0.2 0.1 0.05 0.04 0.025 0.02 0.01 0.008 0.005 0.004 0.0025 0.002 0.001; do
  echo "$h,$(error_at_10 "$h" "${flip[@]}"),$(error_at_10 "$h")"
done >"$build/convergence.csv"
# The measured order: the slope of a least-squares line through the points
# above the rounding floor (errors over 1e-12).
for column in 2 3; do
  awk -F, -v c="$column" '$c > 1e-12 { x = log($1); y = log($c); n++; sx += x; sy += y; sxx += x * x; sxy += x * y }
    END { printf "measured order, %s: %.3f over %d steps\n", (c == 2 ? "flipping box" : "window'"'"'s box"), (n * sxy - sx * sy) / (n * sxx - sx * sx), n }' \
    "$build/convergence.csv"
done

# The attitude's error against the exact one, t to 200.
"$trace" --steps 20000 --every 20 >"$build/trace-error-window.csv"
"$trace" "${flip[@]}" --steps 20000 --every 20 >"$build/trace-error-flip.csv"
"$trace" --sides 0.7,1.9,3.1 --omega 1e-9,1,1e-9 --steps 20000 --every 20 >"$build/trace-error-middle.csv"
gnuplot -e "window='$build/trace-error-window.csv'; flip='$build/trace-error-flip.csv'; middle='$build/trace-error-middle.csv'" \
  "$docs/attitude_error.gp" >"$docs/attitude_error.png"

plot() { gnuplot -e "data='$2'" "$docs/$1.gp" >"$docs/$1.png"; }
plot omega "$build/trace-1000.csv"
plot error "$build/trace-100000.csv"
plot flip "$build/trace-flip.csv"
plot convergence "$build/convergence.csv"
plot attitude "$build/trace-attitude.csv"
echo "largest drawn_axis_gap_degrees over t <= 30: $(awk -F, 'NR > 1 && $2 <= 30.000001 && $18 > m { m = $18 } END { print m }' "$build/trace-attitude.csv")"

# One turn of the precession, two steps a picture, from the real program.
"$top/scripts/screenshot.sh" --animate 110 2 "$build/spinning-box" "$docs/spinning-box.gif"
# The explorer on the flip, half a time unit a picture, over one
# period of omega, scaled down.
SCREENSHOT_WIDTH=480 "$top/scripts/screenshot.sh" --animate 64 50 "$build/spinning-box-explorer" \
  "$docs/explorer.gif"
# Poinsot's construction: the flip at speed 4 over about one period of
# omega, and the cones of a symmetric top spun well off its axis.
SCREENSHOT_KEYS="p plus plus" "$top/scripts/screenshot.sh" "$build/spinning-box-explorer" \
  "$docs/explorer-poinsot.png" 8
SCREENSHOT_KEYS="p" SCREENSHOT_ARGS="--sides 2,2,0.6 --omega 1.5,0,2" "$top/scripts/screenshot.sh" "$build/spinning-box-explorer" \
  "$docs/explorer-cones.png" 3
# The web page, from headless Chromium.
node "$top/scripts/web-screenshot.mjs" "${WEB_BUILD_DIR:-build-web}" "$docs/web.png"
# The explorer's page on a phone's screen and on a desktop's.
for width in 360 1280; do
  node "$top/scripts/web-screenshot.mjs" "${WEB_BUILD_DIR:-build-web}" \
    "$docs/explorer-web-$width.png" explorer "$width"
done
# The figures the README quotes, from the tests that measure them.
"$top/scripts/readme-figures.sh" "$build"
echo "Wrote docs/omega.png, error.png, flip.png, convergence.png, attitude.png, attitude_error.png, spinning-box.gif, explorer.gif, explorer-poinsot.png, explorer-cones.png, web.png, explorer-web-360.png and explorer-web-1280.png"
