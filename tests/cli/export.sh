#!/usr/bin/env bash
# kindrela-cli export: a tree file made here byte by byte, written as GEDCOM
# in each character set and with the options; errors and exit codes.
# Usage: bash export.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

# has FILE LINE: the file holds this exact line (CR LF ended).
has()     { grep -sqaxF -- "$2"$'\r' "$1" && ok || fail "$1 lacks line '$2'"; }
has_not() { grep -sqaxF -- "$2"$'\r' "$1" && fail "$1 has line '$2'" || ok; }

# --- A tree file ------------------------------------------------------------------

# An old text-format tree (the loader reads every version): Jérôme MARTIN
# (Windows-1252 bytes) born 5/3/1900 at Brest, married to Marie DURAND in
# 1925, their son Paul, Jérôme's son Luc of unknown mother, and Camille of
# unknown sex.
tree_file() {
  printf '[KINDRELA 3.0B]\r\nVersion=30\r\nDateCree=2/3/1999\r\nDateModif=4/5/1999\r\n'
  printf '[Ligne]\r\nNbreFiche=5\r\nNbreUnion=1\r\nNbreDonnee=0\r\n'
  printf '[Nom]\r\n1=MARTIN\r\n2=DURAND\r\n3=MARTIN\r\n4=INCONNU\r\n5=MARTIN\r\n'
  printf '[Pre]\r\n1=J\xe9r\xf4me\r\n2=Marie\r\n3=Paul\r\n4=Camille\r\n5=Luc\r\n'
  printf '[Sexe]\r\n1=H\r\n2=F\r\n3=H\r\n4=I\r\n5=H\r\n'
  printf '[NumP]\r\n3=1\r\n5=1\r\n[NumM]\r\n3=2\r\n'
  printf '[DdN]\r\n1=5/3/1900\r\n3=1/1/1990\r\n[LdN]\r\n1=Brest\r\n'
  printf '[Prof]\r\n1=Menuisier\r\n'
  printf '[NumH]\r\n1=1\r\n[NumF]\r\n1=2\r\n[DdM]\r\n1=1925\r\n'
}

tree_file > "$work/arbre.kdg"

# --- Export in each character set ---------------------------------------------------

expect_rc 0 "default export" -- "$cli" export "$work/arbre.kdg" "$work/ansel.ged"
grep -qF "ANSEL" "$work/out" && ok || fail "no summary on stdout"
head -c 8 "$work/ansel.ged" | cmp -s - <(printf '0 HEAD\r\n') && ok || fail "not starting with 0 HEAD CR LF"
has "$work/ansel.ged" "1 CHAR ANSEL"
has "$work/ansel.ged" "0 @I1@ INDI"
has "$work/ansel.ged" "1 NAME J"$'\xe2'"er"$'\xe3'"ome/MARTIN/"
has "$work/ansel.ged" "1 SEX M"
has "$work/ansel.ged" "1 OCCU Menuisier"
has "$work/ansel.ged" "1 BIRT"
has "$work/ansel.ged" "2 DATE 5 MAR 1900"
has "$work/ansel.ged" "2 PLAC Brest"
has "$work/ansel.ged" "1 FAMS @F1@"
has "$work/ansel.ged" "1 FAMS @F1x0@"
has "$work/ansel.ged" "1 FAMC @F1@"
has "$work/ansel.ged" "1 FAMC @F1x0@"
has "$work/ansel.ged" "1 SEX U"
has "$work/ansel.ged" "0 @F1@ FAM"
has "$work/ansel.ged" "1 MARR"
has "$work/ansel.ged" "2 DATE 1925"
has "$work/ansel.ged" "0 @F1x0@ FAM"
has "$work/ansel.ged" "1 CHIL @I5@"
tail -c 8 "$work/ansel.ged" | cmp -s - <(printf '0 TRLR\r\n') && ok || fail "not ending with 0 TRLR CR LF"

expect_rc 0 "UTF-8" -- "$cli" export "$work/arbre.kdg" "$work/utf8.ged" --charset UTF-8
has "$work/utf8.ged" "1 CHAR UTF-8"
has "$work/utf8.ged" "1 NAME J"$'\xc3\xa9'"r"$'\xc3\xb4'"me/MARTIN/"
expect_rc 0 "DOS" -- "$cli" export "$work/arbre.kdg" "$work/dos.ged" --charset dos
has "$work/dos.ged" "1 CHAR IBMPC"
has "$work/dos.ged" "1 NAME J"$'\x82'"r"$'\x93'"me/MARTIN/"
expect_rc 0 "Windows" -- "$cli" export "$work/arbre.kdg" "$work/win.ged" --charset Windows
has "$work/win.ged" "1 CHAR ANSI"
has "$work/win.ged" "1 NAME J"$'\xe9'"r"$'\xf4'"me/MARTIN/"

# The same tree gives the same file (the header's date aside).
expect_rc 0 "again" -- "$cli" export "$work/arbre.kdg" "$work/ansel2.ged"
diff <(grep -av '^1 DATE' "$work/ansel.ged") <(grep -av '^1 DATE' "$work/ansel2.ged") >/dev/null \
  && ok || fail "two exports of one tree differ"

# --- Options --------------------------------------------------------------------

expect_rc 0 "no events" -- "$cli" export "$work/arbre.kdg" "$work/sans.ged" --no-events
has_not "$work/sans.ged" "1 BIRT"
has "$work/sans.ged" "0 @I1@ INDI"
expect_rc 0 "hide recent" -- "$cli" export "$work/arbre.kdg" "$work/recent.ged" --hide-recent
has "$work/recent.ged" "2 DATE 5 MAR 1900"
has_not "$work/recent.ged" "2 DATE 1 JAN 1990"
expect_rc 0 "author" -- "$cli" export "$work/arbre.kdg" "$work/auteur.ged" --author "Marie Curie" \
  --address $'1 rue Pierre\n75005 Paris' --charset Windows
has "$work/auteur.ged" "1 SUBM @SUB1@"
has "$work/auteur.ged" "0 @SUB1@ SUBM"
has "$work/auteur.ged" "1 NAME Marie Curie"
has "$work/auteur.ged" "1 ADDR 1 rue Pierre"
has "$work/auteur.ged" "2 CONT 75005 Paris"
for flag in --no-links --no-fields --no-event-notes --no-sources --no-notes; do
  expect_rc 0 "$flag" -- "$cli" export "$work/arbre.kdg" "$work/f.ged" "$flag"
  has "$work/f.ged" "0 TRLR"
done

# --- Errors ---------------------------------------------------------------------

expect_rc 2 "no output" -- "$cli" export "$work/arbre.kdg"
expect_rc 2 "unknown charset" -- "$cli" export "$work/arbre.kdg" "$work/x.ged" --charset EBCDIC
expect_err "unknown charset"
expect_rc 2 "unknown option" -- "$cli" export "$work/arbre.kdg" "$work/x.ged" --frobnicate
expect_rc 2 "charset without value" -- "$cli" export "$work/arbre.kdg" "$work/x.ged" --charset
expect_rc 2 "address without author" -- "$cli" export "$work/arbre.kdg" "$work/x.ged" --address a
[ ! -e "$work/x.ged" ] && ok || fail "bad arguments wrote a file"
expect_rc 1 "missing tree" -- "$cli" export "$work/absent.kdg" "$work/x.ged"
expect_err "missing tree"
[ ! -e "$work/x.ged" ] && ok || fail "a missing tree wrote a file"
expect_rc 1 "missing folder" -- "$cli" export "$work/arbre.kdg" "$work/nowhere/x.ged"
grep -qF "x.ged" "$work/err" && ok || fail "the error does not name the file"
printf 'ancien' > "$work/garde.ged"
expect_rc 1 "unreadable tree keeps the old file" -- "$cli" export "$work/absent.kdg" "$work/garde.ged"
[ "$(cat "$work/garde.ged")" = "ancien" ] && ok || fail "the previous file was touched"

finish
