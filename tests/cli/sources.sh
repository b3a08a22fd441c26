#!/usr/bin/env bash
# kindrela-cli sources: one line per source in use, with its media file,
# whether that file is found and how many persons cite it.
# Usage: bash sources.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"

# Three sources: a picture beside the tree (cited by two persons), a
# picture that was lost (with a note after its file name), no file at all.
cat > "$work/sources.ged" <<'GED'
0 HEAD
1 CHAR ASCII
0 @I1@ INDI
1 NAME Jean /Martin/
1 SOUR @S1@
1 SOUR @S2@
0 @I2@ INDI
1 NAME Marie /Durand/
1 SOUR @S1@
0 @S1@ SOUR
1 TITL Portrait de famille
1 OBJE
2 FILE C:\Photos\portrait.jpg
0 @S2@ SOUR
1 TITL Acte perdu
1 OBJE
2 FILE acte.jpg
2 NOTE registre 3
0 @S3@ SOUR
1 TITL Recensement
0 TRLR
GED
printf 'JPEG' > "$work/portrait.jpg"
expect_rc 0 "import" -- "$cli" import "$work/sources.ged" "$work/sources.kdg"

expect_rc 2 "sources without file" -- "$cli" sources
expect_rc 1 "sources of a missing tree" -- "$cli" sources "$work/absent.kdg"
expect_rc 0 "sources" -- "$cli" sources "$work/sources.kdg"
tab=$'\t'
expect_out "1${tab}Portrait de famille${tab}C:\\Photos\\portrait.jpg${tab}trouvé${tab}2"
expect_out "2${tab}Acte perdu${tab}acte.jpg${tab}absent${tab}1"
expect_out "3${tab}Recensement${tab}${tab}sans fichier${tab}0"
[ "$(wc -l < "$work/out")" -eq 3 ] && ok || { fail "one line per source"; cat "$work/out"; }

finish
