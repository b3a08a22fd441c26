#!/usr/bin/env bash
# kindrela-cli on tree files made here byte by byte: info, convert, errors.
# Usage: bash tree_file.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

# --- Builders -----------------------------------------------------------------

# A text padded with zero bytes to a width.
fixed() {
  local pad=$(($2 - ${#1}))
  if [ "$pad" -lt 0 ]; then echo "fixed: '$1' is wider than $2" >&2; exit 1; fi
  printf '%s' "$1"
  head -c "$pad" /dev/zero
}
u16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8)))"; }

# Current version: header, two persons (17 values), no union, "SrcV1",
# no source, one event.
current_file() {
  value "KINDRELA 2008-01-06"; value "1/2/2003"; value "4/5/2006"
  value 2; value 0; value 0; value 1; value 2; value 1; value "kindrela"; value ""
  for who in "Martin Jean" "Durand Marie"; do
    value O; value 0; value "${who% *}"; value "${who#* }"; value 0; value 0; value 0; value 0
    value ""; value ""; value "1/1/2000"; value "1/1/2000"; value ""
    if [ "$who" = "Martin Jean" ]; then printf '\x01\x00'; printf '\x01\x00\x00\x00'; else value ""; fi
    value ""; value ""; value ""
  done
  value "SrcV1"
  value O; value "Naissance"; value "1900"; value ""; value 0; value "Brest"; value ""
}

# Version 24: fixed header and records.
v24_file() {
  fixed "Kindrela v2 " 12; printf "2"; fixed "" 1; printf "4"; fixed "" 1
  fixed "1/2/1995" 13; fixed "3/4/1996" 13; u16 2; fixed "" 4
  for who in "Martin Jean 1 2" "Durand Marie 0 1"; do
    set -- $who
    fixed "$1" 41; fixed "$2" 41; fixed "" 41; printf "\\x0$3"
    fixed "1870" 16; fixed "" 16; fixed "1895" 16
    fixed "Brest" 41; fixed "" 41; fixed "Quimper" 41
    u16 0; u16 0; u16 "$4"; fixed "6/7/1996" 16; fixed "" 38
  done
  u16 0
}

v30_file() {
  printf '[KINDRELA 3.0B]\r\nVersion=30\r\nDateCree=2/3/1999\r\nDateModif=4/5/1999\r\n'
  printf '[Ligne]\r\nNbreFiche=3\r\nNbreUnion=0\r\nNbreDonnee=0\r\n'
  printf '[Nom]\r\n1=Martin\r\n2=Durand\r\n3=Martin\r\n[Pre]\r\n1=Jean\r\n2=Marie\r\n3=Paul\r\n'
}

current_file > "$work/courant.kdg"
v24_file > "$work/vieux24.kdg"
v30_file > "$work/vieux30.kdg"
printf 'ceci nest pas un arbre' > "$work/faux.kdg"

# --- Identity and usage ---------------------------------------------------------

expect_rc 0 "--version" -- "$cli" --version
expect_out "Kindrela 2008-01-06"
expect_rc 0 "--help" -- "$cli" --help
expect_out "convert"
expect_rc 2 "no command" -- "$cli"
expect_err "no command"
expect_rc 2 "unknown command" -- "$cli" frobnicate
expect_rc 2 "info without file" -- "$cli" info

# --- info -----------------------------------------------------------------------

expect_rc 0 "info current" -- "$cli" info "$work/courant.kdg"
expect_out "Version du fichier : 52"
expect_out "Version du programme : KINDRELA 2008-01-06"
expect_out "Nombre de personnes : 2"
expect_out "Créé le : 1/2/2003"
expect_out "Modifé le : 4/5/2006"

expect_rc 0 "info v24" -- "$cli" info "$work/vieux24.kdg"
expect_out "Version du fichier : 24"
expect_out "Nombre de personnes : 2"
expect_out "Créé le : 1/2/1995"

expect_rc 0 "info v30" -- "$cli" info "$work/vieux30.kdg"
expect_out "Version du fichier : 30"
expect_out "Version du programme : Kindrela 30"
expect_out "Nombre de personnes : 3"

# --- convert --------------------------------------------------------------------

expect_rc 0 "convert v24" -- "$cli" convert "$work/vieux24.kdg" "$work/de24.kdg"
expect_out "2 personnes"
expect_rc 0 "info converted v24" -- "$cli" info "$work/de24.kdg"
expect_out "Version du fichier : 52"
expect_out "Version du programme : KINDRELA 2008-01-06"
expect_out "Nombre de personnes : 2"

expect_rc 0 "convert v30" -- "$cli" convert "$work/vieux30.kdg" "$work/de30.kdg"
expect_out "3 personnes"
expect_rc 0 "info converted v30" -- "$cli" info "$work/de30.kdg"
expect_out "Créé le : 2/3/1999"

expect_rc 0 "convert current" -- "$cli" convert "$work/courant.kdg" "$work/copie.kdg"
cp "$work/copie.kdg" "$work/premier.kdg"
expect_rc 0 "convert over an existing file" -- "$cli" convert "$work/vieux30.kdg" "$work/copie.kdg"
cmp -s "$work/copie.kdg.old" "$work/premier.kdg" && ok || fail "the previous file is not kept as .old"
expect_rc 0 "info after overwrite" -- "$cli" info "$work/copie.kdg"
expect_out "Nombre de personnes : 3"

# A converted file converts again to the same records (only the save date may differ).
expect_rc 0 "reconvert" -- "$cli" convert "$work/de24.kdg" "$work/de24bis.kdg"
expect_rc 0 "info reconverted" -- "$cli" info "$work/de24bis.kdg"
expect_out "Nombre de personnes : 2"

# Names are UTF-8 on the command line and on disk.
cp "$work/courant.kdg" "$work/Élise.kdg"
expect_rc 0 "info accented name" -- "$cli" info "$work/Élise.kdg"
expect_out "Nombre de personnes : 2"
expect_rc 0 "convert accented names" -- "$cli" convert "$work/Élise.kdg" "$work/Éloïse.kdg"
[ -f "$work/Éloïse.kdg" ] && ok || fail "the accented output name is not on disk"

# --- Errors ---------------------------------------------------------------------

expect_rc 1 "info missing file" -- "$cli" info "$work/absent.kdg"
expect_err "info missing file"
expect_rc 1 "info unrecognised" -- "$cli" info "$work/faux.kdg"
expect_err "info unrecognised"
expect_rc 1 "convert missing" -- "$cli" convert "$work/absent.kdg" "$work/x.kdg"
expect_err "convert missing"
expect_rc 1 "convert unrecognised" -- "$cli" convert "$work/faux.kdg" "$work/y.kdg"
expect_err "convert unrecognised"
[ ! -e "$work/y.kdg" ] && ok || fail "an unrecognised input produced an output"
expect_rc 1 "convert to a missing folder" -- "$cli" convert "$work/courant.kdg" "$work/nowhere/z.kdg"
expect_err "convert to a missing folder"
head -c 40 "$work/courant.kdg" > "$work/coupe.kdg"
expect_rc 0 "truncated file converts what it holds" -- "$cli" convert "$work/coupe.kdg" "$work/coupe2.kdg"
expect_err "truncated file warning"

finish
