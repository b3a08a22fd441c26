#!/usr/bin/env bash
# kindrela-cli number: renumbering a small tree file in place, and its errors.
# Usage: bash number.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

in_file()    { grep -qaF -- "$1" "$2" && ok || fail "$2 lacks '$1'"; }
not_in_file() { grep -qaF -- "$1" "$2" && fail "$2 still holds '$1'" || ok; }

# person SEX SURNAME GIVEN FATHER MOTHER NUMBER: the 17 values of a person.
person() {
  value O; value "$1"; value "$2"; value "$3"; value "$4"; value "$5"; value 0; value 0
  value ""; value ""; value "1/1/2000"; value "1/1/2000"; value ""; value ""; value "$6"; value ""; value ""
}

# Grandparents 1 and 2; their sons 3 and 4; 5 (the root) son of 3; 6 son of 5.
# The uncle carries a stale number that the renumbering must drop.
family_file() {
  value "KINDRELA 2008-01-06"; value "1/2/2003"; value "4/5/2006"
  value 6; value 0; value 0; value 0; value 5; value 5; value "kindrela"; value ""
  person 0 Martin Jean 0 0 ""
  person 1 Durand Marie 0 0 ""
  person 0 Martin Pierre 1 2 ""
  person 0 Martin Paul 1 2 "stale/9"
  person 0 Martin Luc 3 0 ""
  person 0 Martin Hugo 5 0 ""
  value "SrcV1"
}

family_file >"$work/tree.kdg"

# --- Renumbering ---------------------------------------------------------------

expect_rc 0 "number" -- "$cli" number "$work/tree.kdg" --root 5 --generations 3
expect_out "4 num"          # root, father, grandfather, grandmother
expect_out "2 num"          # the son and the uncle
[ -f "$work/tree.kdg.old" ] && ok || fail "no .old backup kept"
in_file "4/2" "$work/tree.kdg"   # the uncle, second son of 4
in_file "1/1" "$work/tree.kdg"
not_in_file "stale/9" "$work/tree.kdg"
expect_rc 0 "info after number" -- "$cli" info "$work/tree.kdg"
expect_out "Nombre de personnes : 6"

# G = 0: the root alone.
expect_rc 0 "number G=0" -- "$cli" number "$work/tree.kdg" --generations 0 --root 5
expect_out "1 num"
expect_out "0 num"
not_in_file "4/2" "$work/tree.kdg"   # the uncle, second son of 4

# By family with spouses: no union here, so only the root's line of Sosa numbers.
expect_rc 0 "number by family" -- "$cli" number "$work/tree.kdg" --root 5 --generations 3 --by-family --spouses
expect_out "4 num"

# --- Errors ----------------------------------------------------------------------

expect_rc 2 "no arguments" -- "$cli" number
expect_err "no arguments"
expect_rc 2 "no root" -- "$cli" number "$work/tree.kdg" --generations 3
expect_rc 2 "no generations" -- "$cli" number "$work/tree.kdg" --root 5
expect_rc 2 "root not a number" -- "$cli" number "$work/tree.kdg" --root abc --generations 3
expect_rc 2 "root 0" -- "$cli" number "$work/tree.kdg" --root 0 --generations 3
expect_rc 2 "negative generations" -- "$cli" number "$work/tree.kdg" --root 5 --generations -1
expect_rc 2 "unknown option" -- "$cli" number "$work/tree.kdg" --root 5 --generations 3 --frobnicate
expect_rc 2 "two files" -- "$cli" number "$work/tree.kdg" "$work/other.kdg" --root 5 --generations 3
cp "$work/tree.kdg" "$work/before.kdg"
expect_rc 1 "root outside the tree" -- "$cli" number "$work/tree.kdg" --root 99 --generations 3
expect_err "root outside the tree"
cmp -s "$work/tree.kdg" "$work/before.kdg" && ok || fail "the file changed after a failure"
expect_rc 1 "missing file" -- "$cli" number "$work/missing.kdg" --root 1 --generations 3
expect_err "missing file"
printf 'not a tree' >"$work/junk.kdg"
expect_rc 1 "not a tree" -- "$cli" number "$work/junk.kdg" --root 1 --generations 3

finish
