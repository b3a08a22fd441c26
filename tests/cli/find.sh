#!/usr/bin/env bash
# kindrela-cli find: the persons whose surname starts with a text, sorted by
# surname and given names: record number, surname, given names, birth date.
# Usage: bash find.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

cat > "$work/find.ged" <<'GED'
0 HEAD
1 CHAR UTF-8
0 @I1@ INDI
1 NAME Pierre /Martin/
1 BIRT
2 DATE 5 MAR 1900
0 @I2@ INDI
1 NAME Anne /martin/
0 @I3@ INDI
1 NAME Louis /Durand/
1 BIRT
2 DATE 1850
0 @I4@ INDI
1 NAME Zoé /Martinez/
0 TRLR
GED
expect_rc 0 "import" -- "$cli" import "$work/find.ged" "$work/find.kdg"

expect_rc 2 "find without text" -- "$cli" find "$work/find.kdg"
expect_rc 1 "find in a missing tree" -- "$cli" find "$work/absent.kdg" MAR
expect_rc 0 "find" -- "$cli" find "$work/find.kdg" mar
tab=$'\t'
# Without regard to case, by surname then given names, Durand left out.
if [ "$(cut -f2,3 "$work/out" | tr '\t\n' '/;')" = "martin/Anne;Martin/Pierre;Martinez/Zoé;" ]; then ok
else fail "order: $(cat "$work/out")"; fi
expect_out "${tab}Martin${tab}Pierre${tab}5/3/1900"
expect_no_out "Durand"
grep -qE "^[0-9]+${tab}martin${tab}Anne${tab}\$" "$work/out" && ok || fail "no date: $(cat "$work/out")"
expect_rc 0 "find all" -- "$cli" find "$work/find.kdg" ""
[ "$(wc -l < "$work/out")" -eq 4 ] && ok || fail "every person: $(cat "$work/out")"
expect_rc 0 "find nobody" -- "$cli" find "$work/find.kdg" X
[ ! -s "$work/out" ] && ok || fail "found someone: $(cat "$work/out")"
finish
