#!/usr/bin/env bash
# kindrela-cli report: a predefined report or a kinship selection of the
# example tree as delimited text, the column titles first.
# Usage: bash report.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"
tree="$2/data/modele/1/exemple/Standard.kdg"

# The row count the caption on stderr gives: its last number.
caption_count() { grep -o '[0-9][0-9]*' "$work/err" | tail -1; }
rows() { echo $(( $(wc -l < "$work/out") - 1 )); }

expect_rc 2 "report without a kind" -- "$cli" report "$tree"
expect_rc 2 "report with both kinds" -- "$cli" report "$tree" --predefined 2 --kinship 1
expect_rc 2 "report 13 does not exist" -- "$cli" report "$tree" --predefined 13
expect_rc 2 "zodiac report without a sign" -- "$cli" report "$tree" --predefined 10
expect_rc 1 "report on a missing file" -- "$cli" report "$work/absent.kdg" --predefined 2

expect_rc 0 "list of unions" -- "$cli" report "$tree" --predefined 2
[ "$(head -1 "$work/out")" = "$(printf 'Mari\tAge\tFemme\tAge\tDate du mariage\tLieu du mariage')" ] && ok ||
  fail "titles: $(head -1 "$work/out")"
[ "$(rows)" -gt 10 ] && [ "$(rows)" = "$(caption_count)" ] && ok || fail "$(rows) rows, caption says $(caption_count)"
# Every row has the six columns.
awk -F'\t' 'NF != 6 { bad = 1 } END { exit bad }' "$work/out" && ok || fail "a row without six columns"

# Every predefined report runs, its caption counting its rows.
for n in 0 1 2 3 4 5 6 7 8 9 11 12; do
  expect_rc 0 "predefined $n" -- "$cli" report "$tree" --predefined "$n"
  [ "$(head -c1 "$work/err")" != "" ] && ok || fail "predefined $n has no caption"
done
expect_rc 0 "cross table" -- "$cli" report "$tree" --predefined 11
cross="$(rows)"
expect_rc 0 "cross table by place" -- "$cli" report "$tree" --predefined 12
[ "$(rows)" = "$cross" ] && ok || fail "the two cross tables differ in size"

# The place prefix narrows the flash list.
expect_rc 0 "flash list" -- "$cli" report "$tree" --predefined 9
all="$(rows)"
expect_rc 0 "flash list in Finistère" -- "$cli" report "$tree" --predefined 9 --prefix FRA,BRE,F29
some="$(rows)"
[ "$some" -gt 0 ] && [ "$some" -lt "$all" ] && ok || fail "prefix kept $some of $all rows"
expect_no_out "F49"

# Comma-separated values: a place holds commas, so it is quoted.
expect_rc 0 "csv" -- "$cli" report "$tree" --predefined 7 --csv
expect_out '"FRA,'

# The parents of the reference person, with the default column model.
expect_rc 0 "kinship" -- "$cli" report "$tree" --kinship 3
[ "$(rows)" -eq 2 ] && ok || fail "two parents, got $(rows)"
expect_err_has "Les parents de"
expect_rc 1 "kinship of nobody" -- "$cli" report "$tree" --kinship 3 --root 99999

finish
