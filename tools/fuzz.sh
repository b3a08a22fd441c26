#!/usr/bin/env bash
# Runs the libFuzzer targets of fuzz/, one after the other, from their
# seeds (fuzz/corpus/ and the shipped data) and the corpus earlier runs
# grew (build-sanitize/fuzz/corpus/, kept between runs).
#   tools/fuzz.sh [SECONDS] [TARGET...]   each target for SECONDS (default 60)
#   KINDRELA_FUZZ_RUNS=N tools/fuzz.sh 0  each target for N executions instead
# A finding (crash, leak, sanitizer report, timeout, memory exhaustion)
# leaves its input in build-sanitize/fuzz/findings/ and makes the script
# fail once every target has run; rerun it with build-sanitize/fuzz/NAME_fuzz FILE.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
secondes="${1:-60}"
shift || true
# Lighter than the test pass: a fuzz run makes millions of short runs.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=64}"
kindrela_sanitize_env
dossier="$KINDRELA_BUILD_SANITIZE/fuzz"
if [ $# -gt 0 ]; then
  cibles=("$@")
else
  kindrela_build_sanitize --target all >/dev/null
  mapfile -t cibles < "$dossier/targets.txt"
fi
[ $# -gt 0 ] && kindrela_build_sanitize $(printf -- '--target %s_fuzz ' "${cibles[@]}") >/dev/null
mkdir -p "$dossier/findings"
limites=(-timeout=30 -rss_limit_mb=3072 -max_len=65536 -print_final_stats=1)
if [ -n "${KINDRELA_FUZZ_RUNS:-}" ]; then limites+=(-runs="$KINDRELA_FUZZ_RUNS"); fi
if [ "$secondes" != 0 ]; then limites+=(-max_total_time="$secondes"); fi
echecs=0
reussites=0
for cible in "${cibles[@]}"; do
  corpus="$dossier/corpus/$cible"
  mkdir -p "$corpus"
  journal="$dossier/$cible.log"
  debut=$(date +%s)
  if "$dossier/${cible}_fuzz" "${limites[@]}" -artifact_prefix="$dossier/findings/$cible-" \
      "$corpus" "$dossier/seeds/$cible" >"$journal" 2>&1; then
    reussites=$((reussites + 1))
    etat="no finding"
  else
    echecs=$((echecs + 1))
    etat="FINDING (see $journal)"
    tail -n 60 "$journal"
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$journal" | awk '{print $2}' | tail -1)
  echo "fuzz $cible: ${runs:-?} runs in $(( $(date +%s) - debut )) s, corpus $(ls "$corpus" | wc -l) inputs, $etat"
done
echo "fuzz: $reussites passed, $echecs failed"
[ "$echecs" -eq 0 ]
