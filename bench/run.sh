#!/usr/bin/env bash
# Builds and runs the benchmarks (not part of the tests): bench/run.sh [build folder]
set -euo pipefail
export LC_ALL=C  # decimal points in the timings
src="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$src/build}"
benches=(database_bench tree_file_bench kinship_bench places_bench templates_bench
         consistency_bench gedcom_import_bench gedcom_export_bench layout_bench report_bench editing_bench web_site_bench chart_view_bench
         record_view_bench sources_view_bench calendar_map_view_bench search_view_bench)
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${benches[@]}" kindrela-cli
"$build/bin/database_bench"
"$build/bin/tree_file_bench" 100000 5
for b in kinship_bench places_bench templates_bench consistency_bench \
         gedcom_export_bench layout_bench report_bench editing_bench web_site_bench; do
  echo "== $b"
  "$build/bin/$b"
done

# The 100 000-person GEDCOM file of gedcom_import_bench, kept for the
# commands a user runs on it: wall time and peak memory of each process.
echo "== gedcom_import_bench"
ged=/tmp/kindrela_gedcom_import_bench.ged
KINDRELA_GARDE_GED=1 "$build/bin/gedcom_import_bench"
# Each command runs three times and gives its best time, as the JavaScript
# parser's figure below is its best of three; the peak memory is the largest.
echo "== whole commands on that file (best wall s of 3, peak kB)"
arbre="$(mktemp -d)"
mesure() {  # label, output file (made anew by each run), command...
  local label="$1" sortie="$2"; shift 2
  local meilleur="" pic=0 secondes memoire
  for _ in 1 2 3; do
    rm -f "$sortie" "$sortie.old"
    # The wall time to the microsecond (time's own is to the hundredth).
    local debut="$EPOCHREALTIME"
    /usr/bin/time -f "%M" -o "$arbre/time" "$@" >/dev/null
    secondes="$(awk -v a="$debut" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f", b - a }')"
    read -r memoire <"$arbre/time"
    if [ -z "$meilleur" ] || awk -v a="$secondes" -v b="$meilleur" 'BEGIN { exit !(a < b) }'; then
      meilleur="$secondes"
    fi
    [ "$memoire" -gt "$pic" ] && pic="$memoire"
  done
  printf '%-34s %6.3f s  %7d kB\n' "$label" "$meilleur" "$pic"
  echo "$meilleur" >"$arbre/$label.s"
}
mesure "import + save (cli import)" "$arbre/grand.kdg" "$build/bin/kindrela-cli" import "$ged" "$arbre/grand.kdg" --charset Windows
mesure "load + save (cli convert)" "$arbre/copie.kdg" "$build/bin/kindrela-cli" convert "$arbre/grand.kdg" "$arbre/copie.kdg"
mesure "load + GEDCOM export (cli export)" "$arbre/export.ged" "$build/bin/kindrela-cli" export "$arbre/grand.kdg" "$arbre/export.ged"
# A JavaScript parser that only builds a syntax tree, on the same file.
if command -v npm >/dev/null && command -v node >/dev/null; then
  (cd "$src/bench/js" && npm ci --no-audit --no-fund --silent)
  js="$(node "$src/bench/js/parse_gedcom_bench.js" "$ged" 3)"
  echo "$js"
  awk -v js="$(echo "$js" | awk '{print $3}')" -v nous="$(cat "$arbre/import + save (cli import).s")" \
    'BEGIN { printf "import + save is %.1f times faster than parse-gedcom parse\n", js / nous }'
else
  echo "node and npm are missing: no comparison with a JavaScript parser"
fi
rm -rf "$arbre" "$ged"

QT_QPA_PLATFORM=offscreen "$build/bin/chart_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/record_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/sources_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/calendar_map_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/search_view_bench"
