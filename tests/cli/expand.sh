#!/usr/bin/env bash
# kindrela-cli expand: box templates for a person of a tree file made here.
# Usage: bash expand.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

# The whole of stdout must be exactly this line.
expect_line() { [ "$(cat "$work/out")" = "$1" ] && ok || { fail "stdout is '$(cat "$work/out")', expected '$1'"; }; }

# A packed list of event numbers: one value holding 4 bytes per entry.
events() {
  printf "\\x$(printf %02x $((4 * $#)))\\x00"
  for e in "$@"; do printf "\\x$(printf %02x "$e")\\x00\\x00\\x00"; done
}

# Jean Martin (man, born 12/3/1900 at Brest) married Marie Durand (woman)
# in 1925; no sources.
tree_file() {
  value "KINDRELA 2008-01-06"; value "1/2/2003"; value "4/5/2006"
  value 2; value 1; value 0; value 2; value 1; value 1; value "kindrela"; value ""
  for who in "Martin Jean 0" "Durand Marie 1"; do
    set -- $who
    value O; value "$3"; value "$1"; value "$2"; value 0; value 0; value 0; value 0
    value ""; value ""; value "1/1/2000"; value "1/1/2000"; value ""
    if [ "$1" = "Martin" ]; then events 1; else value ""; fi
    value ""; value ""; value ""
  done
  value O; value 1; value 2; events 2
  value "SrcV1"
  value O; value "Naissance"; value "12/3/1900"; value ""; value 0; value "FRA,BRE,F29,Brest"; value ""
  value O; value "Mariage"; value "1925"; value ""; value 0; value "Quimper"; value ""
}
tree_file > "$work/arbre.kdg"

# --- Templates with the installation's words -------------------------------------

expect_rc 0 "names and event" -- "$cli" expand "$work/arbre.kdg" 1 \
  "<nom> <prénom> (<eve:Naissance,année>, <évé:Naissance,commune>)"
expect_line "Martin Jean (1900, Brest)"
expect_rc 0 "date tag and sex line" -- "$cli" expand "$work/arbre.kdg" 1 "<h><dn> <id>"
expect_line "12/3/1900 1"
expect_rc 0 "women-only line for a man" -- "$cli" expand "$work/arbre.kdg" 1 "<f><nom>"
expect_line ""
expect_rc 0 "second person" -- "$cli" expand "$work/arbre.kdg" 2 "<nom>, <eve:Naissance,date>"
expect_line "Durand, "
expect_rc 0 "spouse and union" -- "$cli" expand "$work/arbre.kdg" 2 \
  "<conjoint><prénom> <individu><union><eve:Mariage,année> <dm> <lm> <résumé>"
expect_line "Jean 1925 1925 Quimper xl"

# --- Without a translation file: the built-in words --------------------------------

mkdir "$work/vide"
expect_rc 0 "built-in words" -- env KINDRELA_DOSSIER="$work/vide" "$cli" expand "$work/arbre.kdg" 1 \
  "<nom> [<eve:Naissance,année>]"
expect_line "Martin []"
expect_err "built-in words warning"

# --- Errors ----------------------------------------------------------------------

expect_rc 2 "missing template" -- "$cli" expand "$work/arbre.kdg" 1
expect_rc 2 "person not a number" -- "$cli" expand "$work/arbre.kdg" un "<nom>"
expect_err "person not a number"
expect_rc 1 "no such person" -- "$cli" expand "$work/arbre.kdg" 9 "<nom>"
expect_err "no such person"
expect_rc 1 "missing file" -- "$cli" expand "$work/absent.kdg" 1 "<nom>"
expect_err "missing file"

finish
