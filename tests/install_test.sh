#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what lands where, and
# runs the installed trace tool. Usage: install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in bin/spinning-box bin/spinning-box-trace; do
  [[ -x $prefix/$file ]] || fail "$file is not installed as a program"
done
for file in README.md screenshot.png omega.png error.png; do
  [[ -s $prefix/share/doc/spinning-box/$file ]] || fail "share/doc/spinning-box/$file is missing"
done
output=$("$prefix/bin/spinning-box-trace" --steps 4 --every 2)
[[ $(printf '%s\n' "$output" | wc -l) -eq 4 ]] || fail "expected a header and 3 rows, got: $output"
[[ $(printf '%s\n' "$output" | tail -n 1) == 4,0.04* ]] || fail "last row is not step 4: $output"
echo "installed and ran the trace tool from $prefix"
