#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks what lands where (every
# picture the installed README links to included), and runs the installed
# trace tool. Usage: install_test.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

for file in bin/spinning-box bin/spinning-box-trace bin/spinning-box-explorer; do
  [[ -x $prefix/$file ]] || fail "$file is not installed as a program"
done
doc=$prefix/share/doc/spinning-box
[[ -s $doc/README.md ]] || fail "share/doc/spinning-box/README.md is missing"
links=$(grep -oE '(src=|\]\()"?docs/[^")]+' "$doc/README.md" | sed -E 's/^(src=|\]\()"?//' | sort -u)
[[ -n $links ]] || fail "the installed README links to no pictures"
for link in $links; do
  [[ -s $doc/$link ]] || fail "the installed README links to $link, which is not installed beside it"
done
output=$("$prefix/bin/spinning-box-trace" --steps 4 --every 2)
[[ $(printf '%s\n' "$output" | wc -l) -eq 4 ]] || fail "expected a header and 3 rows, got: $output"
[[ $(printf '%s\n' "$output" | tail -n 1) == 4,0.04* ]] || fail "last row is not step 4: $output"
echo "installed; the README's $(echo "$links" | wc -w) pictures are beside it; ran the trace tool from $prefix"
