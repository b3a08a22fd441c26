#!/usr/bin/env bash
# kindrela-cli check: the consistency report of every person and the
# verification of the record links, without ever writing the tree.
# Usage: bash check.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

# --- Trees ----------------------------------------------------------------------

# An old-version tree (one section per field, keyed by record number):
# Paul (3) is born after his father's death and married before his birth
# to Élise (4), who dies at 150; Jean (1) and Marie (2) are sound.
v30_tree() {
  printf '[KINDRELA 3.0B]\r\nVersion=30\r\nDateCree=2/3/1999\r\nDateModif=4/5/1999\r\n'
  printf '[Ligne]\r\nNbreFiche=4\r\nNbreUnion=1\r\nNbreDonnee=0\r\n'
  printf '[Sexe]\r\n1=H\r\n2=F\r\n3=H\r\n4=F\r\n'
  printf '[Nom]\r\n1=Martin\r\n2=Durand\r\n3=Martin\r\n4=L\xe9ger\r\n'
  printf '[Pre]\r\n1=Jean\r\n2=Marie\r\n3=Paul\r\n4=\xc9lise\r\n'
  printf '[NumP]\r\n3=1\r\n[NumM]\r\n3=2\r\n'
  printf '[DdN]\r\n1=1870\r\n2=1872\r\n3=1900\r\n4=1/1/1800\r\n'
  printf '[DdD]\r\n1=1899\r\n4=2/1/1950\r\n'
  printf '[NumH]\r\n1=3\r\n[NumF]\r\n1=4\r\n[DdM]\r\n1=1890\r\n'
}

# A current-version tree whose two persons both list event 1: the
# verification must give the second one a copy of its own.
shared_event_tree() {
  value "KINDRELA 2008-01-06"; value "1/2/2003"; value "4/5/2006"
  value 2; value 0; value 0; value 1; value 2; value 1; value "kindrela"; value ""
  for who in "Martin Jean" "Durand Marie"; do
    value O; value 0; value "${who% *}"; value "${who#* }"; value 0; value 0; value 0; value 0
    value ""; value ""; value "1/1/2000"; value "1/1/2000"; value ""
    printf '\x04\x00\x01\x00\x00\x00'  # TabEve: event 1
    value ""; value ""; value ""
  done
  value "SrcV1"
  value O; value "Naissance"; value "1900"; value ""; value 0; value "Brest"; value ""
}

v30_tree > "$work/vieux.kdg"
shared_event_tree > "$work/partage.kdg"
printf 'ceci nest pas un arbre' > "$work/faux.kdg"

# --- Arguments and unreadable files --------------------------------------------

expect_rc 2 "check without file" -- "$cli" check
expect_rc 1 "check missing file" -- "$cli" check "$work/absent.kdg"
expect_rc 1 "check unrecognised file" -- "$cli" check "$work/faux.kdg"
mkdir "$work/vide"
expect_rc 1 "check without installation data" -- env KINDRELA_DOSSIER="$work/vide" "$cli" check "$work/vieux.kdg"
expect_err_has "famora.tra"

# --- The report -------------------------------------------------------------------

cp "$work/vieux.kdg" "$work/vieux.avant"
expect_rc 0 "check old tree" -- "$cli" check "$work/vieux.kdg"
expect_out "3 Martin Paul"
expect_out "4 L"
expect_no_out "Martin Jean"
expect_out "2 personne(s) sur 4"
expect_out "Aucun probl"
# Paul's lines, in order: the parent warning, 903, then his union.
sed -n '/^3 Martin Paul/,/^4 /p' "$work/out" > "$work/paul"
[ "$(wc -l < "$work/paul")" -eq 7 ] && ok || { fail "Paul's lines"; cat "$work/paul"; }

# --- Repairs are reported, never saved --------------------------------------------

cp "$work/partage.kdg" "$work/partage.avant"
expect_rc 0 "check shared event" -- "$cli" check "$work/partage.kdg"
expect_out "Durand Marie : L"
expect_no_out "Aucun probl"
cmp -s "$work/partage.kdg" "$work/partage.avant" && ok || fail "the checked tree was rewritten"
cmp -s "$work/vieux.kdg" "$work/vieux.avant" && ok || fail "the old tree was rewritten"
ls "$work"/*.old >/dev/null 2>&1 && fail "a backup was written" || ok

finish
