#!/usr/bin/env bash
# kindrela-cli stats: the columns of a statistic of the example tree, one
# "label TAB value" line each, and the counts that must add up to the population.
# Usage: bash stats.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"
tree="$2/data/modele/1/exemple/Standard.kdg"

# The sum of the values of stdout, and the population stderr names.
sum() { awk -F'\t' '{ s += $2 } END { print s + 0 }' "$work/out"; }
population() { sed -n 's/.*(\([0-9][0-9]*\) personnes)$/\1/p' "$work/err" | head -1; }

expect_rc 2 "stats without a statistic" -- "$cli" stats "$tree"
expect_rc 2 "stats with an unknown statistic" -- "$cli" stats "$tree" --stat "pas une statistique"
expect_err_has "statistique inconnue"
expect_rc 2 "stats on a separator" -- "$cli" stats "$tree" --stat 2
expect_rc 1 "stats on a missing file" -- "$cli" stats "$work/absent.kdg" --stat 0

# Every person falls in exactly one column of the per-person statistics.
expect_rc 0 "stats by sex" -- "$cli" stats "$tree" --stat 0
all="$(population)"
[ -n "$all" ] && [ "$all" -gt 100 ] && ok || fail "population of the example tree: '$all'"
[ "$(sum)" = "$all" ] && ok || fail "men and women add up to $(sum), not $all"
[ "$(wc -l < "$work/out")" -eq 2 ] && ok || fail "two columns for the sex split"
for s in 3 4 5 "parents par" "enfants par"; do
  expect_rc 0 "stats $s" -- "$cli" stats "$tree" --stat "$s"
  [ "$(sum)" = "$all" ] && ok || { fail "statistic $s adds up to $(sum), not $all"; cat "$work/out"; }
done

# A population of the persons born in the nineteenth century.
expect_rc 0 "stats born between" -- "$cli" stats "$tree" --stat 0 --born-between 1800 1899
part="$(population)"
[ "$part" -gt 0 ] && [ "$part" -lt "$all" ] && ok || fail "born between 1800 and 1899: '$part' of $all"
[ "$(sum)" = "$part" ] && ok || fail "the split of the born-between population adds up to $(sum), not $part"

# Ages at death: ten columns by default, labelled by their lower bound.
expect_rc 0 "stats age at death" -- "$cli" stats "$tree" --stat "Age au décès"
[ "$(wc -l < "$work/out")" -eq 10 ] && ok || fail "ten columns of ages"
[ "$(head -1 "$work/out" | cut -f1)" = "0+" ] && ok || fail "first age column"
[ "$(sum)" -le "$all" ] && ok || fail "more ages than persons"
expect_rc 0 "stats ages by 25" -- "$cli" stats "$tree" --stat 7 --ages 0 100 25
[ "$(wc -l < "$work/out")" -eq 4 ] && ok || fail "four columns of 25 years"
expect_rc 0 "stats births by month" -- "$cli" stats "$tree" --stat 12
[ "$(wc -l < "$work/out")" -eq 12 ] && ok || fail "twelve months"
expect_err_has "Le mois de naissance est connu pour"

finish
