#!/usr/bin/env bash
# kindrela-cli import: GEDCOM files made here, their character sets, the log
# and the errors.
# Usage: bash import.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

# --- Files ----------------------------------------------------------------------

# UTF-8 without a CHAR line (as GEDCOM 7 writes), CR-only line ends, a note
# record cited before it is written, a source cited only by an event.
printf '0 HEAD\r1 GEDC\r2 VERS 7.0\r0 @I1@ INDI\r1 NAME Ren\xc3\xa9 /Dupont/\r1 SEX M\r1 NOTE @N1@\r' > "$work/utf8.ged"
printf '1 BIRT\r2 DATE 1 JAN 1900\r2 SOUR @S1@\r0 @I2@ INDI\r1 NAME \xc3\x89lise /Martin/\r1 SEX F\r' >> "$work/utf8.ged"
printf '0 @I3@ INDI\r1 NAME Paul /Dupont/\r0 @F1@ FAM\r1 HUSB @I1@\r1 WIFE @I2@\r1 CHIL @I3@\r1 MARR\r' >> "$work/utf8.ged"
printf '0 @N1@ NOTE Une note\r0 @S1@ SOUR\r1 TITL Registre\r0 @R1@ REPO\r1 NAME Archives\r0 TRLR\r' >> "$work/utf8.ged"

printf '0 HEAD\r\n1 CHAR ANSI\r\n0 @I1@ INDI\r\n1 NAME Jean /Dupont/\r\n0 TRLR\r\n' > "$work/ansi.ged"
printf 'nothing of GEDCOM' > "$work/vide.ged"

# --- Imports --------------------------------------------------------------------

expect_rc 0 "utf-8 preselected" -- "$cli" import "$work/utf8.ged" "$work/utf8.kdg"
expect_out "(UTF-8)"
expect_out "Personnes : 3"
expect_out "Unions : 1"
expect_out "Sources : 1"
expect_out "Notes liées : 1"
expect_rc 0 "info of the imported tree" -- "$cli" info "$work/utf8.kdg"
expect_out "Nombre de personnes : 3"
expect_out "Créé le : $(date +%-d/%-m/%Y)"

expect_rc 0 "charset given" -- "$cli" import "$work/utf8.ged" "$work/win.kdg" --charset Windows --capitalize
expect_out "(Windows)"
expect_out "Personnes : 3"

expect_rc 0 "log" -- "$cli" import "$work/ansi.ged" "$work/ansi.kdg" --log
expect_out "(Windows)"
expect_out "Journal : $work/kindrela.log"
grep -q "Nombre de personne =1" "$work/kindrela.log" && ok || fail "the log lacks the count"

cp "$work/ansi.ged" "$work/Élise.ged"
expect_rc 0 "accented names" -- "$cli" import "$work/Élise.ged" "$work/Éloïse.kdg"
[ -f "$work/Éloïse.kdg" ] && ok || fail "the accented output name is not on disk"

expect_rc 0 "a file without records gives an empty tree" -- "$cli" import "$work/vide.ged" "$work/vide.kdg"
expect_out "Personnes : 0"

# --- Errors ---------------------------------------------------------------------

expect_rc 2 "no arguments" -- "$cli" import
expect_rc 2 "no output" -- "$cli" import "$work/ansi.ged"
expect_rc 2 "unknown charset" -- "$cli" import "$work/ansi.ged" "$work/x.kdg" --charset EBCDIC
expect_err_has "EBCDIC"
expect_rc 2 "charset without value" -- "$cli" import "$work/ansi.ged" "$work/x.kdg" --charset
expect_rc 2 "unknown option" -- "$cli" import "$work/ansi.ged" "$work/x.kdg" --frobnicate
expect_rc 1 "missing input" -- "$cli" import "$work/absent.ged" "$work/x.kdg"
expect_err_has "absent.ged"
expect_rc 1 "output in a missing folder" -- "$cli" import "$work/ansi.ged" "$work/nowhere/x.kdg"
[ ! -e "$work/x.kdg" ] && ok || fail "a failed import wrote an output"

finish
