#!/usr/bin/env bash
# Writes the figures the README quotes from a run of the tests that measure
# them: each figure sits between <!-- fig:NAME --> and <!-- /fig --> in the
# README and is replaced here, so that none is ever typed by hand.
# Usage: readme-figures.sh BUILD_DIR (the tests built; the measured orders
# need make-docs.sh's convergence.csv there, and are left as they were
# without it).
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
readme=$top/README.md
figures=$build/readme-figures.txt

# 1.86e-15 -> "1.9 × 10⁻¹⁵"; plain numbers stay as they are.
pretty() {
  perl -e '
    my ($m, $e) = sprintf("%.1e", $ARGV[0]) =~ /^(-?[\d.]+)e([-+]\d+)$/;
    my %s = ("-" => "\x{207b}", 0 => "\x{2070}", 1 => "\x{b9}", 2 => "\x{b2}", 3 => "\x{b3}",
             4 => "\x{2074}", 5 => "\x{2075}", 6 => "\x{2076}", 7 => "\x{2077}", 8 => "\x{2078}", 9 => "\x{2079}");
    $e += 0;
    binmode STDOUT, ":utf8";
    print "$m \x{d7} 10" . join("", map { $s{$_} } split //, $e);' "$1"
}

echo "measuring: exact_reference_test and exact_property_test" >&2
reference=$("$build/tests/exact_reference_test" --gtest_filter='Motions*:Conformance*' 2>&1)
property=$("$build/tests/exact_property_test" --gtest_filter='Families*' 2>&1)

# The worst of the named motions, and which motion it was.
worst() {  # column: 1 omega, 2 attitude
  grep -E '^[a-z_0-9]+: omega within' <<<"$reference" |
    sed -E 's/^([a-z_0-9]+): omega within ([^ ]+) of the largest \|omega\|, attitude within ([^ ]+) rad/\1 \2 \3/' |
    sort -g -k$(($1 + 1)) | tail -n 1
}
read -r omega_name omega_value _ < <(worst 1)
read -r attitude_name _ attitude_value < <(worst 2)
line357=$(grep '^moments_3_5_7:' <<<"$reference")
conformance=$(grep '^scene-frame L:' <<<"$reference")
read -r l1 l2 l3 energy quarter < <(sed -E 's/^scene-frame L: ([0-9]+), ([0-9]+), ([0-9]+) ULPs.*attitude: ([0-9]+) ULPs; quarter-periods within ([^ ]+) .*/\1 \2 \3 \4 \5/' <<<"$conformance")
prolate=$(sed -nE 's/^prolate.* within ([0-9.]+) ULPs.*/\1/p' <<<"$reference")
oblate=$(sed -nE 's/^oblate.* within ([0-9.]+) ULPs.*/\1/p' <<<"$reference")
property_omega=$(sed -nE 's/.*omega ([^ ]+) of the largest.*/\1/p' <<<"$property" | sort -g | tail -n 1)
property_attitude=$(sed -nE 's/.*attitude ([^ ]+) rad$/\1/p' <<<"$property" | sort -g | tail -n 1)
property_times=$(sed -nE 's/.* ([0-9]+) times,.*/\1/p' <<<"$property" | awk '{ n += $1 } END { print n }')

{
  echo "worst-omega=$(pretty "$omega_value")"
  echo "worst-omega-case=$(sed "s/1e_/1e-/; s/_/ /g" <<<"$omega_name")"
  echo "worst-attitude=$(pretty "$attitude_value")"
  echo "worst-attitude-case=$(sed "s/1e_/1e-/; s/_/ /g" <<<"$attitude_name")"
  # Inside the README's tables a bar is written \|.
  echo "l-ulps=$((l1)), $((l2)), $((l3)) ULPs of \|L\|"
  echo "energy-ulps=$((energy)) ULPs"
  echo "quarter-percent=$(pretty "$(awk -v q="$quarter" 'BEGIN { print q * 100 }')") %"
  echo "omega-357=$(pretty "$(sed -E 's/.*omega within ([^ ]+) .*/\1/' <<<"$line357")") of the largest \|ω\|"
  echo "attitude-357=$(pretty "$(sed -E 's/.*attitude within ([^ ]+) rad/\1/' <<<"$line357")") rad"
  for top in prolate oblate; do
    ulps=${!top%.0}
    echo "$top-ulps=$ulps ULP$([[ $ulps == 1 ]] || echo s) of \|L\|"
  done
  echo "property-times=$property_times"
  echo "property-omega=$(pretty "$property_omega")"
  echo "property-attitude=$(pretty "$property_attitude")"
  # The measured orders, from make-docs.sh's convergence table.
  if [[ -f $build/convergence.csv ]]; then
    for column in 2 3; do
      awk -F, -v c="$column" '$c > 1e-12 { x = log($1); y = log($c); n++; sx += x; sy += y; sxx += x * x; sxy += x * y }
        END { printf "order-%s=%.2f\n", (c == 2 ? "flip" : "window"), (n * sxy - sx * sy) / (n * sxx - sx * sx) }' \
        "$build/convergence.csv"
    done
  fi
} >"$figures"

# Each <!-- fig:NAME -->...<!-- /fig --> of the README takes its figure.
perl -CSD -i -e '
  open my $in, "<:utf8", shift or die; my %fig;
  while (<$in>) { chomp; my ($k, $v) = split /=/, $_, 2; $fig{$k} = $v; }
  local $/; my $text = <>;
  $text =~ s{(<!-- fig:([\w-]+) -->).*?(<!-- /fig -->)}{
    exists $fig{$2} ? "$1$fig{$2}$3" : do { warn "left as it was: $2\n"; $& } }gse;
  print $text;' "$figures" "$readme"
echo "README figures written from $figures" >&2
