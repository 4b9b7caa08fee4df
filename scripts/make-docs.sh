#!/usr/bin/env bash
# Regenerates the README's figures from the trace tool's output with gnuplot.
# Usage: make-docs.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
"$build/spinning-box-trace" --steps 1000 >"$build/trace-1000.csv"
"$build/spinning-box-trace" --steps 100000 --every 100 >"$build/trace-100000.csv"
gnuplot -e "data='$build/trace-1000.csv'" "$top/docs/omega.gp" >"$top/docs/omega.png"
gnuplot -e "data='$build/trace-100000.csv'" "$top/docs/error.gp" >"$top/docs/error.png"
echo "Wrote docs/omega.png and docs/error.png"
