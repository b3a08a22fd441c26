#!/usr/bin/env bash
# What CI runs after ./test.sh: the sanitizer pass over the whole suite,
# then every fuzz target for a few seconds (about a minute in all).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/sanitize.sh
tools/fuzz.sh "${KINDRELA_FUZZ_SECONDES:-6}"
