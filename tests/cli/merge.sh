#!/usr/bin/env bash
# kindrela-cli merge: a duplicate merged into the person kept, written to
# another file; every refusal says why and writes nothing.
# Usage: bash merge.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

in_file() { grep -qaF -- "$1" "$2" && ok || fail "$2 lacks '$1'"; }

# person SEX SURNAME GIVEN FATHER MOTHER: the 17 values of a person.
person() {
  value O; value "$1"; value "$2"; value "$3"; value "$4"; value "$5"; value 0; value 0
  value ""; value ""; value "1/1/2000"; value "1/1/2000"; value ""; value ""; value ""; value ""; value ""
}

# 1 DUPONT Jean son of 3, and his duplicate 2 DUPOND Jean son of 3 and 4;
# 5 a woman; 6 a man whose father is 7.
tree_file() {
  value "KINDRELA 2008-01-06"; value "1/2/2003"; value "4/5/2006"
  value 7; value 0; value 0; value 0; value 1; value 1; value "kindrela"; value ""
  person 0 DUPONT Jean 3 0
  person 0 DUPOND Jean 3 4
  person 0 DUPONT Pierre 0 0
  person 1 MARTIN Zoe 0 0
  person 1 LEROY Anne 0 0
  person 0 DURAND Paul 7 0
  person 0 DURAND Louis 0 0
  value "SrcV1"
}

tree_file >"$work/tree.kdg"

# --- Merging ---------------------------------------------------------------------

expect_rc 0 "merge" -- "$cli" merge "$work/tree.kdg" 1 2 -o "$work/merged.kdg"
expect_out "Fusion Termin"
in_file "DUPONT | DUPOND" "$work/merged.kdg"
in_file "(double a supprimer) DUPOND" "$work/merged.kdg"
expect_rc 0 "info after merge" -- "$cli" info "$work/merged.kdg"
expect_out "Nombre de personnes : 7"
# The kept person took the mother: her couple with the father now exists,
# and the check finds nothing to repair.
expect_rc 0 "check after merge" -- "$cli" check "$work/merged.kdg"
expect_out "Aucun probl"

# --- Refusals: message on stderr, exit 1, no file ---------------------------------

refused() {
  local what="$1" needle="$2"; shift 2
  rm -f "$work/refused.kdg"
  expect_rc 1 "$what" -- "$cli" merge "$work/tree.kdg" "$@" -o "$work/refused.kdg"
  expect_err_has "$needle"
  [ ! -e "$work/refused.kdg" ] && ok || fail "$what: a file was written"
}
refused "man with woman"      "pas du m"            1 5
refused "different fathers"   "parents sont diff"   2 6
refused "duplicate is the father" "descend de l'autre" 6 7
refused "same person"         "deux personnes"      1 1
refused "missing person"      "n'existe pas"        1 99

# --- Arguments ---------------------------------------------------------------------

expect_rc 2 "no output"       -- "$cli" merge "$work/tree.kdg" 1 2
expect_rc 2 "not a number"    -- "$cli" merge "$work/tree.kdg" un 2 -o "$work/x.kdg"
expect_rc 2 "missing person"  -- "$cli" merge "$work/tree.kdg" 1 -o "$work/x.kdg"
expect_rc 2 "unknown option"  -- "$cli" merge "$work/tree.kdg" 1 2 -o "$work/x.kdg" --vite
expect_rc 1 "missing file"    -- "$cli" merge "$work/missing.kdg" 1 2 -o "$work/x.kdg"
expect_err "missing file"
[ ! -e "$work/x.kdg" ] && ok || fail "a file was written after a failure"

finish
