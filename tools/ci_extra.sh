#!/usr/bin/env bash
# The passes CI runs after ./test.sh: the sanitizer pass over the core, the
# command line and the file readers (not the windows), then every fuzz
# target for a few seconds.
#   tools/ci_extra.sh [SECONDS]   what is left of CI's time (default: no limit)
# A finding fails. When the sanitizer build cannot finish in the time left
# (a cold compiler cache after a change to a widely included header), the
# pass says so and stops without failing: the objects it compiled stay in
# the cache, and the next run goes on from there.
set -euo pipefail
cd "$(dirname "$0")/.."
export KINDRELA_SANITIZE_UI="${KINDRELA_SANITIZE_UI:-OFF}"
budget="${1:-0}"
debut=$SECONDS
# Kept for the tests (about a minute and a half) and the fuzz runs (one).
marge=300
if [ "$budget" -gt 0 ]; then
  construction=$((budget - marge))
  if [ "$construction" -le 60 ]; then
    echo "ci_extra: only ${budget} s left of CI's time: sanitizer and fuzz passes not run"
    exit 0
  fi
  set +e
  timeout --kill-after=30 "$construction" bash -c 'source tools/setup.sh && kindrela_build_sanitize --target all >/dev/null'
  etat=$?
  set -e
  if [ "$etat" -eq 124 ] || [ "$etat" -eq 137 ]; then
    echo "ci_extra: the sanitizer build did not finish in the ${construction} s left;" \
         "sanitizer and fuzz passes not run this time (the compiled objects are cached)"
    exit 0
  fi
  [ "$etat" -eq 0 ] || { echo "ci_extra: the sanitizer build failed"; exit "$etat"; }
fi
tools/sanitize.sh
tools/fuzz.sh "${KINDRELA_FUZZ_SECONDES:-6}"
echo "ci_extra: sanitizer and fuzz passes done in $((SECONDS - debut)) s"
